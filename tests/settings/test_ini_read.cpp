// The portable INI reader: values as GetPrivateProfileStringA reads them.
#include "settings/ini_file.h"
#include "tests/settings/settings_test.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class IniRead : public ::testing::Test {
protected:
    void write(std::string_view bytes) { writeFile(path, bytes); }

    // The text read, after checking that the count returned matches it.
    std::string get(const char* section, const char* key, const char* defaultValue = "D", int size = 16)
    {
        char out[64];
        std::memset(out, 'X', sizeof out);
        const int count = iniGetString(section, key, defaultValue, out, size, path.c_str());
        EXPECT_EQ(count, static_cast<int>(std::strlen(out))) << section << "/" << key;
        return out;
    }

    TempFolder folder;
    std::string path = folder.file("read.ini");
};

TEST_F(IniRead, MissingFileSectionOrKeyReadsTheDefault)
{
    EXPECT_EQ(get("SERIAL", "PORT", "FAIL"), "FAIL");
    EXPECT_FALSE(fileExists(path));

    write("[S]\r\na=1\r\n");
    EXPECT_EQ(get("T", "a"), "D");
    EXPECT_EQ(get("S", "b"), "D");
    EXPECT_EQ(get("S", "a"), "1");
    EXPECT_EQ(get(nullptr, "a"), "D");
    EXPECT_EQ(get("S", nullptr), "D");

    EXPECT_EQ(iniGetString("S", "a", "D", nullptr, 16, path.c_str()), 0);
}

TEST_F(IniRead, DefaultLosesTrailingSpacesOnly)
{
    EXPECT_EQ(get("S", "x", " x  "), " x");
    EXPECT_EQ(get("S", "x", "  lead"), "  lead");
    EXPECT_EQ(get("S", "x", "x\t"), "x\t");
    EXPECT_EQ(get("S", "x", nullptr), "");
    EXPECT_EQ(get("S", "x", "\"q\" "), "q");
    EXPECT_EQ(get("S", "x", "0123456789abcdefgh"), "0123456789abcde");
}

TEST_F(IniRead, ReadsAreCutToTheBuffer)
{
    write("[S]\r\na=0123456789abcdefghij\r\nb=123\r\n");
    EXPECT_EQ(get("S", "a"), "0123456789abcde");
    EXPECT_EQ(get("S", "b", "D", 1), "");
    EXPECT_EQ(get("S", "b", "D", 2), "1");
    EXPECT_EQ(get("S", "b", "D", 4), "123");

    char untouched[4] = {'X', 'X', 'X', '\0'};
    EXPECT_EQ(iniGetString("S", "b", "D", untouched, 0, path.c_str()), 0);
    EXPECT_STREQ(untouched, "XXX");
}

TEST_F(IniRead, BlanksAroundNamesAndValuesAreIgnored)
{
    write("[SERIAL]\r\n  PORT  =  COM7  \r\n\tBAUD\t=\t9600\t\r\n"
          "a=\vx\v\r\nb=\fy\f\r\nc=\x1az\x1a\r\n\x1a"
          "d=1\r\ne=x\ty\r\n");
    EXPECT_EQ(get("SERIAL", "PORT"), "COM7");
    EXPECT_EQ(get("SERIAL", "BAUD"), "9600");
    EXPECT_EQ(get(" SERIAL ", "\tPORT\t"), "COM7");
    EXPECT_EQ(get("SERIAL", "a"), "x");
    EXPECT_EQ(get("SERIAL", "b"), "y");
    EXPECT_EQ(get("SERIAL", "c"), "z");
    EXPECT_EQ(get("SERIAL", "d"), "1");
    EXPECT_EQ(get("SERIAL", "e"), "x\ty");
}

TEST_F(IniRead, NamesCompareWithoutCase)
{
    write("[serial]\r\nport=com3\r\n");
    EXPECT_EQ(get("SERIAL", "PORT"), "com3");
    EXPECT_EQ(get("Serial", "Port"), "com3");
}

TEST_F(IniRead, OnePairOfMatchingQuotesIsRemoved)
{
    write("[S]\r\na=\"COM7\"\r\nb='x y'\r\nc=\"abc\r\nd=\"a'\r\ne=\"\"\r\nf=\" pad \"\r\n"
          "g=  \"q\"  \r\nh=\"\r\ni='\"\r\n");
    EXPECT_EQ(get("S", "a"), "COM7");
    EXPECT_EQ(get("S", "b"), "x y");
    EXPECT_EQ(get("S", "c"), "\"abc");
    EXPECT_EQ(get("S", "d"), "\"a'");
    EXPECT_EQ(get("S", "e"), "");
    EXPECT_EQ(get("S", "f"), " pad ");
    EXPECT_EQ(get("S", "g"), "q");
    EXPECT_EQ(get("S", "h"), "\"");
    EXPECT_EQ(get("S", "i"), "'\"");
}

TEST_F(IniRead, QuotesComeOffAfterTheCut)
{
    write("[S]\r\na=\"0123456789abcdef\"\r\nb=\"0123456789abcde\"\r\nc=\"0123456789abcd\"\r\n"
          "d=\"abc\"\r\ne=\"abcd\"\r\nf=\"a\"\r\ng=\"\"\r\n");
    EXPECT_EQ(get("S", "a"), "0123456789abcde");
    EXPECT_EQ(get("S", "b"), "0123456789abcd");
    EXPECT_EQ(get("S", "c"), "0123456789abcd");
    EXPECT_EQ(get("S", "d", "D", 4), "ab");
    EXPECT_EQ(get("S", "e", "D", 4), "abc");
    EXPECT_EQ(get("S", "f", "D", 4), "a");
    EXPECT_EQ(get("S", "g", "D", 1), "");
}

TEST_F(IniRead, EmptyValuesAreValuesButALineWithoutEqualsIsNot)
{
    write("[S]\r\na=\r\nb= \r\nc\r\n");
    EXPECT_EQ(get("S", "a"), "");
    EXPECT_EQ(get("S", "b"), "");
    EXPECT_EQ(get("S", "c"), "D");
}

TEST_F(IniRead, FirstSectionAndFirstKeyOfANameCount)
{
    write("[S]\r\na=1\r\na=2\r\nc\r\nc=5\r\n[T]\r\nx=1\r\n[S]\r\nb=5\r\n");
    EXPECT_EQ(get("S", "a"), "1");
    EXPECT_EQ(get("S", "c"), "D");
    EXPECT_EQ(get("S", "b"), "D");
    EXPECT_EQ(get("T", "b"), "D");
}

TEST_F(IniRead, AnyLineEndEndsALine)
{
    write("[S]\ra=1\rb=2\nc=3\r\nd=4\r\r\ne=5");
    EXPECT_EQ(get("S", "a"), "1");
    EXPECT_EQ(get("S", "b"), "2");
    EXPECT_EQ(get("S", "c"), "3");
    EXPECT_EQ(get("S", "d"), "4");
    EXPECT_EQ(get("S", "e"), "5");
}

TEST_F(IniRead, CommentMarksHaveNoMeaning)
{
    write("; top\r\n[S]\r\n; note\r\n#hash=1\r\n;a=9\r\na=1 ; inline\r\n");
    EXPECT_EQ(get("S", "a"), "1 ; inline");
    EXPECT_EQ(get("S", ";a"), "9");
    EXPECT_EQ(get("S", "#hash"), "1");
}

TEST_F(IniRead, SectionHeaders)
{
    write("[ S ]\r\na=1\r\n  [T]  \r\nb=2\r\n[U] junk\r\nc=3\r\n[V\r\nd=4\r\n[A]b]c\r\nk=1\r\n");
    EXPECT_EQ(get("S", "a"), "1");
    EXPECT_EQ(get("T", "b"), "2");
    EXPECT_EQ(get("U", "c"), "3");
    EXPECT_EQ(get("U", "d"), "4");
    EXPECT_EQ(get("V", "d"), "D");
    EXPECT_EQ(get("[V", "d"), "D");
    EXPECT_EQ(get("A]b", "k"), "1");
    EXPECT_EQ(get("A", "k"), "D");
}

TEST_F(IniRead, KeysBeforeTheFirstHeaderFormTheUnnamedSection)
{
    write("a=0\r\n[S]\r\na=1\r\n[]\r\nb=2\r\n");
    EXPECT_EQ(get("", "a"), "0");
    EXPECT_EQ(get("S", "a"), "1");
    EXPECT_EQ(get("", "b"), "D");
}

TEST_F(IniRead, ValuesKeepTheirEqualsSigns)
{
    write("[S]\r\na=b=c\r\n==x\r\n");
    EXPECT_EQ(get("S", "a"), "b=c");
    EXPECT_EQ(get("S", ""), "=x");
}

TEST_F(IniRead, ByteOrderMarkIsSkipped)
{
    write("\xEF\xBB\xBF[S]\r\na=1\r\n");
    EXPECT_EQ(get("S", "a"), "1");
}

TEST_F(IniRead, AFolderReadsAsNoFile)
{
    path = folder.path();
    EXPECT_EQ(get("S", "a"), "D");
}

}  // namespace
