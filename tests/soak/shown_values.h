// The register values a command showed, read back out of its output and
// its files, so that each can be held against the servo's own memory.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The column of a FLASH value file in orvelin diff.
inline constexpr int kFileSide = -1;

struct Shown {
    int id;          // the servo, or kFileSide
    int row;         // paramtbl row
    uint32_t value;
};

// Every value found; problem names the first line that is not of the
// command's form (an output the soak cannot read may hide a value).
struct Reading {
    std::vector<Shown> values;
    std::string problem;
};

// single: the ID of a command given one servo, whose output names none.
Reading tableText(const std::string& out, std::optional<int> single);
Reading tableJson(const std::string& out, std::optional<int> single);
Reading setLines(const std::string& out, std::optional<int> single);
Reading watchLines(const std::string& out, std::optional<int> single, bool csv);
Reading diffText(const std::string& out);
Reading diffJson(const std::string& out);
// "ID  SYS_PN  SYS_VER  BAUD", then a line for each servo found, each ID once.
Reading scanLines(const std::string& out);
// "ID 01: FB_PG was written with 0x11 but reads back 0x12" on stderr.
Reading readBackComplaints(const std::string& err);

// A FLASH value file as orvelin save and the backups write it: every line
// "ROW 0xHEX" with the register's width, rows ascending, each once. Nothing
// and a problem when it is not.
std::optional<std::map<int, uint32_t>> flashValueFile(const std::string& text, std::string& problem);

// paramtbl row of a register name, -1 for none.
int rowNamed(const std::string& name);
