// The portable INI writer: edits as WritePrivateProfileStringA makes them,
// every other line kept, and nothing written that could make other keys.
#include "settings/ini_file.h"
#include "tests/settings/settings_test.h"

#include <gtest/gtest.h>

#include <string>

#ifndef _WIN32
#include <filesystem>
#include <sys/stat.h>
#endif

namespace {

class IniWrite : public ::testing::Test {
protected:
    bool put(const char* section, const char* key, const char* value)
    {
        return iniWriteString(section, key, value, path.c_str());
    }

    std::string get(const char* section, const char* key)
    {
        char out[16];
        iniGetString(section, key, "D", out, sizeof out, path.c_str());
        return out;
    }

    static std::string lines(std::initializer_list<std::string_view> texts)
    {
        std::string joined;
        for (auto text : texts) {
            joined += text;
            joined += kNewLine;
        }
        return joined;
    }

    TempFolder folder;
    std::string path = folder.file("write.ini");
};

TEST_F(IniWrite, NewFileHoldsOnlyTheWrittenLines)
{
    ASSERT_TRUE(put("SERIAL", "PORT", "COM1"));
    EXPECT_EQ(readFile(path), lines({"[SERIAL]", "PORT=COM1"}));
    ASSERT_TRUE(put("SERIAL", "BAUDRATE", "115200"));
    EXPECT_EQ(readFile(path), lines({"[SERIAL]", "PORT=COM1", "BAUDRATE=115200"}));
    EXPECT_EQ(listFolder(folder.path()), "write.ini\n");
}

TEST_F(IniWrite, ReplacesAValueInPlaceAndKeepsEveryOtherLine)
{
    writeFile(path, "; settings\r\n\r\n[OTHER]\r\nPORT=COM9\r\n\r\n[SERIAL]\r\n  PORT  =  COM7  \r\n"
                    "; the rate\r\nBAUDRATE=9600\r\n");
    ASSERT_TRUE(put("SERIAL", "PORT", "COM2"));
    EXPECT_EQ(readFile(path), "; settings\r\n\r\n[OTHER]\r\nPORT=COM9\r\n\r\n[SERIAL]\r\n  PORT  =COM2\r\n"
                              "; the rate\r\nBAUDRATE=9600\r\n");
    EXPECT_EQ(get("SERIAL", "PORT"), "COM2");
    EXPECT_EQ(get("OTHER", "PORT"), "COM9");
}

TEST_F(IniWrite, AddsAKeyAfterTheLastLineOfItsSection)
{
    writeFile(path, "[S]\na=1\n; note\n\n[T]\nb=2\n");
    ASSERT_TRUE(put("S", "c", "3"));
    ASSERT_TRUE(put("T", "d", "4"));
    EXPECT_EQ(readFile(path), "[S]\na=1\n; note\nc=3\n\n[T]\nb=2\nd=4\n");

    writeFile(path, "[S]\n[T]\n");
    ASSERT_TRUE(put("S", "a", "1"));
    EXPECT_EQ(readFile(path), "[S]\na=1\n[T]\n");
}

TEST_F(IniWrite, AddsAMissingSectionAtTheEnd)
{
    writeFile(path, "[S]\r\na=1");
    ASSERT_TRUE(put("T", "b", "2"));
    EXPECT_EQ(readFile(path), "[S]\r\na=1\r\n[T]\r\nb=2\r\n");

    writeFile(path, "[S]");
    ASSERT_TRUE(put("S", "a", "1"));
    EXPECT_EQ(readFile(path), "[S]" + lines({"", "a=1"}));

    writeFile(path, "");
    ASSERT_TRUE(put(" S ", " my key ", "v"));
    EXPECT_EQ(readFile(path), lines({"[S]", "my key=v"}));
}

TEST_F(IniWrite, NewLinesEndLikeTheFilesLines)
{
    writeFile(path, "[S]\ra=1\r");
    ASSERT_TRUE(put("S", "b", "2"));
    ASSERT_TRUE(put("T", "c", "3"));
    EXPECT_EQ(readFile(path), "[S]\ra=1\rb=2\r[T]\rc=3\r");

    writeFile(path, "[S]\na=1\n");
    ASSERT_TRUE(put("S", "b", "2"));
    EXPECT_EQ(readFile(path), "[S]\na=1\nb=2\n");
}

TEST_F(IniWrite, FindsNamesWithoutCaseAndKeepsTheFilesSpelling)
{
    writeFile(path, "[serial]\r\nport=com3\r\n");
    ASSERT_TRUE(put("SERIAL", "PORT", "COM4"));
    ASSERT_TRUE(put("Serial", "Baud", "1"));
    EXPECT_EQ(readFile(path), "[serial]\r\nport=COM4\r\nBaud=1\r\n");
}

TEST_F(IniWrite, FirstSectionAndFirstKeyOfANameAreEdited)
{
    writeFile(path, "[S]\r\nc\r\nc=5\r\n[T]\r\n[S]\r\nc=7\r\n");
    ASSERT_TRUE(put("S", "c", "6"));
    ASSERT_TRUE(put("S", "d", "8"));
    EXPECT_EQ(readFile(path), "[S]\r\nc=6\r\nc=5\r\nd=8\r\n[T]\r\n[S]\r\nc=7\r\n");
    EXPECT_EQ(get("S", "c"), "6");
}

TEST_F(IniWrite, KeysBeforeTheFirstHeaderAreTheUnnamedSection)
{
    writeFile(path, "[S]\r\na=1\r\n");
    ASSERT_TRUE(put("", "k", "v"));
    EXPECT_EQ(readFile(path), "k=v\r\n[S]\r\na=1\r\n");
    EXPECT_EQ(get("", "k"), "v");
}

TEST_F(IniWrite, KeepsTheByteOrderMark)
{
    writeFile(path, "\xEF\xBB\xBF[S]\r\na=1\r\n");
    ASSERT_TRUE(put("S", "a", "2"));
    EXPECT_EQ(readFile(path), "\xEF\xBB\xBF[S]\r\na=2\r\n");
}

TEST_F(IniWrite, ValuesAreWrittenAsGivenAndReadBackAsTheSystemReadsThem)
{
    ASSERT_TRUE(put("S", "a", " v "));
    ASSERT_TRUE(put("S", "b", ""));
    ASSERT_TRUE(put("S", "c", "\"q\""));
    ASSERT_TRUE(put("S", "d", "x=y"));
    EXPECT_EQ(readFile(path), lines({"[S]", "a= v ", "b=", "c=\"q\"", "d=x=y"}));
    EXPECT_EQ(get("S", "a"), "v");
    EXPECT_EQ(get("S", "b"), "");
    EXPECT_EQ(get("S", "c"), "q");
    EXPECT_EQ(get("S", "d"), "x=y");
}

TEST_F(IniWrite, EntriesThatWouldMakeOtherLinesAreRefused)
{
    const std::string before = "[S]\r\na=1\r\n";
    writeFile(path, before);
    EXPECT_FALSE(put("S", "a", "x\r\n[T]\r\nk=v"));
    EXPECT_FALSE(put("S", "b", "y\nz=1"));
    EXPECT_FALSE(put("S", "a", "x\ry=2"));
    EXPECT_FALSE(put("S\r\n[T", "a", "1"));
    EXPECT_FALSE(put("S", "a\nb", "1"));
    EXPECT_FALSE(put("S", "a=b", "1"));
    EXPECT_FALSE(put("S", " [T]", "1"));
    EXPECT_FALSE(put(nullptr, "a", "1"));
    EXPECT_FALSE(put("S", nullptr, "1"));
    EXPECT_FALSE(put("S", "a", nullptr));
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(get("T", "k"), "D");
    EXPECT_EQ(get("S", "z"), "D");

    const auto fresh = folder.file("fresh.ini");
    EXPECT_FALSE(iniWriteString("S", "a", "1\n", fresh.c_str()));
    EXPECT_FALSE(fileExists(fresh));
}

TEST_F(IniWrite, UnwritablePlacesChangeNothing)
{
    writeFile(path, "[S]\r\na=1\r\n");
    const auto underAFile = path + "/inner.ini";
    EXPECT_FALSE(iniWriteString("S", "a", "2", underAFile.c_str()));
    EXPECT_FALSE(iniWriteString("S", "a", "2", folder.path().c_str()));
    EXPECT_FALSE(iniWriteString("S", "a", "2", folder.file("no/such/folder.ini").c_str()));
    EXPECT_EQ(readFile(path), "[S]\r\na=1\r\n");
    EXPECT_EQ(listFolder(folder.path()), "write.ini\n");
}

#ifndef _WIN32
TEST_F(IniWrite, EditsTheFileALinkNamesAndKeepsItsMode)
{
    const auto target = folder.file("target.ini");
    writeFile(target, "[S]\na=1\n");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    std::filesystem::create_symlink(target, path);

    ASSERT_TRUE(put("S", "a", "2"));
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(readFile(target), "[S]\na=2\n");
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(listFolder(folder.path()), "target.ini\nwrite.ini\n");
}
#endif

}  // namespace
