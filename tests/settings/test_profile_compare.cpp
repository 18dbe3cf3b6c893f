// The portable INI code against the system's own private-profile functions:
// the same edits on two files, then the same reads, must give the same
// values, and the system must read the portable code's file the same way.
#include "settings/ini_file.h"
#include "tests/settings/settings_test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

namespace {

struct Edit {
    const char* section;
    const char* key;
    const char* value;
};

struct Probe {
    const char* section;
    const char* key;
    const char* defaultValue = "D";
    int size = 16;
};

struct Case {
    const char* name;
    const char* initial;  // no file when null
    std::vector<Edit> edits;
    std::vector<Probe> probes;
};

struct Read {
    int count;
    std::string text;
    bool operator==(const Read&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Read& read)
{
    return out << read.count << " \"" << read.text << "\"";
}

Read systemRead(const Probe& p, const std::string& file)
{
    char out[64] = {};
    const auto count = GetPrivateProfileStringA(p.section, p.key, p.defaultValue, out, p.size, file.c_str());
    return {static_cast<int>(count), out};
}

Read portableRead(const Probe& p, const std::string& file)
{
    char out[64] = {};
    const auto count = iniGetString(p.section, p.key, p.defaultValue, out, p.size, file.c_str());
    return {count, out};
}

const std::vector<Case>& cases()
{
    static const std::vector<Case> all = {
        {"defaults into no file", nullptr,
         {{"SERIAL", "PORT", "COM1"}, {"SERIAL", "BAUDRATE", "115200"}},
         {{"SERIAL", "PORT", "FAIL"},
          {"SERIAL", "BAUDRATE", "FAIL"},
          {"SERIAL", "OTHER", "FAIL"},
          {"X", "PORT"}}},
        {"baud rate added", "[SERIAL]\r\nPORT=COM7\r\n",
         {{"SERIAL", "BAUDRATE", "115200"}},
         {{"SERIAL", "PORT"}, {"SERIAL", "BAUDRATE"}}},
        {"options dialog rewrites", "[SERIAL]\r\nPORT=COM5\r\nBAUDRATE=57600\r\n",
         {{"SERIAL", "PORT", "COM2"}, {"SERIAL", "BAUDRATE", "9600"}, {"SERIAL", "PORT", ""}},
         {{"SERIAL", "PORT"}, {"SERIAL", "BAUDRATE"}}},
        {"LF file, no last line end", "[SERIAL]\nPORT=COM7",
         {{"SERIAL", "BAUDRATE", "115200"}, {"NEW", "k", "v"}},
         {{"SERIAL", "PORT"}, {"SERIAL", "BAUDRATE"}, {"NEW", "k"}}},
        {"CR only file", "[S]\ra=1\rb=2\r",
         {{"S", "c", "3"}, {"T", "d", "4"}},
         {{"S", "a"}, {"S", "b"}, {"S", "c"}, {"T", "d"}}},
        {"blanks around names and values", "[SERIAL]\r\n  PORT  =  COM7  \r\n\tBAUD\t=\t9600\t\r\n",
         {{" SERIAL ", "\tPORT ", "COM9"}, {"SERIAL", "NEW", " v "}},
         {{"SERIAL", "PORT"}, {"serial", "baud"}, {"SERIAL", "NEW"}, {" SERIAL", "PORT "}}},
        {"case of names", "[serial]\r\nport=com3\r\n",
         {{"SERIAL", "PORT", "COM4"}, {"Serial", "Baud", "1"}},
         {{"SERIAL", "PORT"}, {"serial", "baud"}, {"SERIAL", "BAUD"}}},
        {"quotes",
         "[S]\r\na=\"COM7\"\r\nb='x y'\r\nc=\"abc\r\nd=\"a'\r\ne=\"\"\r\nf=\" pad \"\r\ng=  \"q\"  \r\nh=\"\r\n",
         {{"S", "i", "\"quoted\""}, {"S", "j", "'"}},
         {{"S", "a"}, {"S", "b"}, {"S", "c"}, {"S", "d"}, {"S", "e"}, {"S", "f"}, {"S", "g"}, {"S", "h"},
          {"S", "i"}, {"S", "j"}}},
        {"quotes and the cut",
         "[S]\r\na=\"0123456789abcdef\"\r\nb=\"0123456789abcde\"\r\nc=\"0123456789abcd\"\r\nd=\"abc\"\r\n",
         {},
         {{"S", "a"}, {"S", "b"}, {"S", "c"}, {"S", "d", "D", 4}, {"S", "d", "D", 5}, {"S", "d", "D", 1},
          {"S", "d", "D", 2}}},
        {"cut to the buffer", "[S]\r\na=0123456789abcdefghij\r\n",
         {{"S", "b", "0123456789ABCDEFGHIJ"}},
         {{"S", "a"}, {"S", "b"}, {"S", "a", "D", 1}, {"S", "a", "D", 2}, {"S", "x", "0123456789abcdefgh"}}},
        {"defaults", "[S]\r\n",
         {},
         {{"S", "x", " x  "}, {"S", "x", "x\t"}, {"S", "x", "  lead"}, {"S", "x", ""}, {"S", "x", nullptr},
          {"S", "x", "\"q\" "}, {"S", "x", "\""}}},
        {"empty values and bare keys", "[S]\r\na=\r\nb= \r\nc\r\n",
         {{"S", "c", "v"}, {"S", "d", ""}},
         {{"S", "a"}, {"S", "b"}, {"S", "c"}, {"S", "d"}}},
        {"duplicates", "[S]\r\na=1\r\na=2\r\nc\r\nc=5\r\n[T]\r\nx=1\r\n[S]\r\nb=5\r\n",
         {{"S", "a", "3"}, {"S", "b", "6"}, {"S", "new", "7"}},
         {{"S", "a"}, {"S", "b"}, {"S", "c"}, {"S", "new"}, {"T", "x"}, {"T", "b"}}},
        {"comment marks", "; top\r\n[S]\r\n; note\r\n#hash=1\r\n;a=9\r\na=1 ; inline\r\n",
         {{"S", "a", "2"}, {"S", "z", "1"}},
         {{"S", "a"}, {"S", ";a"}, {"S", "#hash"}, {"S", "z"}, {"S", "; note"}}},
        {"section headers",
         "[ S ]\r\na=1\r\n  [T]  \r\nb=2\r\n[U] junk\r\nc=3\r\n[V\r\nd=4\r\n[A]b]c\r\nk=1\r\n",
         {{"V", "e", "5"}, {"U", "f", "6"}},
         {{"S", "a"}, {"T", "b"}, {"U", "c"}, {"U", "d"}, {"V", "d"}, {"V", "e"}, {"U", "f"}, {"A]b", "k"},
          {"A", "k"}}},
        {"unnamed section", "a=0\r\n[S]\r\na=1\r\n[]\r\nb=2\r\n",
         {{"", "k", "v"}},
         {{"", "a"}, {"S", "a"}, {"", "b"}, {"", "k"}}},
        {"equals signs in values", "[S]\r\na=b=c\r\n==x\r\n",
         {{"S", "d", "x=y"}},
         {{"S", "a"}, {"S", ""}, {"S", "d"}}},
        {"blank lines and comments kept", "\r\n\r\n[S]\r\n\r\na=1\r\n; trailing note\r\n\r\n[T]\r\nb=2\r\n",
         {{"S", "c", "3"}, {"T", "d", "4"}, {"S", "a", "9"}},
         {{"S", "a"}, {"S", "c"}, {"T", "b"}, {"T", "d"}, {"S", "d"}}},
        {"byte order mark", "\xEF\xBB\xBF[S]\r\na=1\r\n",
         {{"S", "a", "2"}},
         {{"S", "a"}}},
        {"other blanks", "[S]\r\na=\vx\v\r\nb=\fy\f\r\nc=\x1az\x1a\r\n\x1a" "d=1\r\ne=x\ty\r\n",
         {},
         {{"S", "a"}, {"S", "b"}, {"S", "c"}, {"S", "d"}, {"S", "e"}}},
        {"empty file", "",
         {{"S", "a", "1"}},
         {{"S", "a"}, {"", "a"}}},
    };
    return all;
}

TEST(ProfileCompare, PortableCodeReadsAndWritesAsTheSystemDoes)
{
    TempFolder folder;
    int index = 0;
    for (const auto& c : cases()) {
        SCOPED_TRACE(c.name);
        ++index;
        const auto systemFile = folder.file("system" + std::to_string(index) + ".ini");
        const auto portableFile = folder.file("portable" + std::to_string(index) + ".ini");
        if (c.initial != nullptr) {
            writeFile(systemFile, c.initial);
            writeFile(portableFile, c.initial);
        }
        for (const auto& e : c.edits) {
            const bool bySystem =
                WritePrivateProfileStringA(e.section, e.key, e.value, systemFile.c_str()) != FALSE;
            const bool portable = iniWriteString(e.section, e.key, e.value, portableFile.c_str());
            EXPECT_EQ(portable, bySystem) << e.section << "/" << e.key << "=" << e.value;
        }
        for (const auto& p : c.probes) {
            SCOPED_TRACE(std::string(p.section) + "/" + p.key + " in " + std::to_string(p.size));
            const auto expected = systemRead(p, systemFile);
            EXPECT_EQ(portableRead(p, portableFile), expected);
            EXPECT_EQ(portableRead(p, systemFile), expected);
            EXPECT_EQ(systemRead(p, portableFile), expected);
        }
    }
}

TEST(ProfileCompare, BothFailOnAnUnwritablePlace)
{
    TempFolder folder;
    const auto blocker = folder.file("blocker");
    writeFile(blocker, "x");
    const auto inside = blocker + "\\servoconf.ini";
    EXPECT_FALSE(WritePrivateProfileStringA("S", "a", "1", inside.c_str()));
    EXPECT_FALSE(iniWriteString("S", "a", "1", inside.c_str()));
    const auto noFolder = folder.file("missing\\servoconf.ini");
    EXPECT_FALSE(WritePrivateProfileStringA("S", "a", "1", noFolder.c_str()));
    EXPECT_FALSE(iniWriteString("S", "a", "1", noFolder.c_str()));
    EXPECT_EQ(readFile(blocker), "x");
}

}  // namespace
