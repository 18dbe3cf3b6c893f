// Whole-file replacement when the disk is full or read-only: the previous
// file must survive and no half-written file may be left. A small tmpfs
// stands in for the full or read-only disk.
#include "settings/file_replace.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/mount.h>

namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class SmallDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (::mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "mounting a tmpfs needs privileges this run does not have";
        mounted = true;
        std::ofstream(dir / "values.txt") << "18 0x03E8\n";
    }
    void TearDown() override
    {
        if (mounted)
            ::umount(dir.c_str());
    }
    std::size_t entries() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }

    TempFolder folder;
    fs::path dir = folder.path();
    bool mounted = false;
};

}  // namespace

TEST_F(SmallDisk, FullDiskKeepsThePreviousFile)
{
    {
        std::ofstream filler(dir / "filler", std::ios::binary);
        std::string block(4096, 'x');
        for (int k = 0; k < 15; ++k)
            filler << block;
    }
    std::string big(32 * 1024, '1');
    EXPECT_FALSE(replaceFileContents((dir / "values.txt").c_str(), big));
    EXPECT_EQ(contents(dir / "values.txt"), "18 0x03E8\n");
    EXPECT_EQ(entries(), 2u) << "no temporary file left behind";
}

TEST_F(SmallDisk, ReadOnlyDiskKeepsThePreviousFile)
{
    ASSERT_EQ(::mount("tmpfs", dir.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
    EXPECT_FALSE(replaceFileContents((dir / "values.txt").c_str(), "4 0x01\n"));
    EXPECT_FALSE(replaceFileContents((dir / "new.txt").c_str(), "4 0x01\n"));
    EXPECT_EQ(contents(dir / "values.txt"), "18 0x03E8\n");
    EXPECT_FALSE(fs::exists(dir / "new.txt"));
}

TEST_F(SmallDisk, ReplacementIsWholeWhenItFits)
{
    EXPECT_TRUE(replaceFileContents((dir / "values.txt").c_str(), "4 0x01\n"));
    EXPECT_EQ(contents(dir / "values.txt"), "4 0x01\n");
    EXPECT_FALSE(replaceFileContents(dir.c_str(), "x")) << "a folder is never replaced";
    EXPECT_EQ(entries(), 1u);
}
