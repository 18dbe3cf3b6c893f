#include "line_notes.h"

#include "messages.h"
#include "register_args.h"
#include "registers.h"
#include "term.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace {

constexpr int kHighestId = 0x3F;
constexpr int kReadAllBlocks = 6;
constexpr int kPositionReply = 4;
constexpr unsigned char kRefused = 0x40;

char commandOf(char first)
{
    switch (first) {
    case 'R':
    case 'r':
    case '\n':
        return 'R';
    case 'W':
    case 'w':
        return 'w';
    case 'F':
    case 'f':
        return 'f';
    case 'B':
    case 'b':
        return 'b';
    case 'S':
    case 's':
        return 's';
    case 'U':
    case 'u':
        return 'u';
    default:
        return 0;
    }
}

std::string firstWord(const std::string& line)
{
    std::size_t start = 0;
    while (start < line.size() && std::isspace(static_cast<unsigned char>(line[start])))
        ++start;
    std::size_t end = start;
    while (end < line.size() && !std::isspace(static_cast<unsigned char>(line[end])))
        ++end;
    return line.substr(start, end - start);
}

bool spelledOut(const std::string& word)
{
    std::string lower(word);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return word.size() == 1 || lower == "read";
}

void planWrite(const std::string& line, LinePlan& plan)
{
    int ops[2] = {-1, -1};
    if (termOperands(line.c_str(), ops, 2) < 2) {
        plan.notes.push_back(format(Msg::NoteMissingOperand, line.c_str(), plan.command));
        return;
    }
    if (ops[0] < 0 || ops[1] < 0) {
        plan.notes.push_back(format(Msg::NoteNegativeOperand, line.c_str()));
        return;
    }
    int row = findParamRow(ops[0]);
    if (row < 0) {
        plan.notes.push_back(format(Msg::NoteNoRegister, line.c_str(), static_cast<unsigned>(ops[0])));
        return;
    }
    const ParamDef& def = paramtbl[row];
    auto value = static_cast<uint32_t>(ops[1]);
    if (value > registerMax(def.size))
        plan.notes.push_back(format(Msg::NoteValueCut, line.c_str(), value, def.name, value & registerMax(def.size)));
    plan.replies.push_back(plan.command == 'w' ? def.size : 1);
}

void planPositions(const std::string& line, LinePlan& plan)
{
    int ops[4];
    int count = termOperands(line.c_str(), ops, 4);
    PositionOperands in = bOperands;
    int* fields[4] = {&in.from, &in.to, &in.pos, &in.en};
    for (int k = 0; k < count; ++k)
        *fields[k] = ops[k];
    int first = std::max(in.from, 0);
    int last = std::min(in.to, kHighestId);
    if (in.to > kHighestId)
        plan.notes.push_back(format(Msg::NoteIdsCut, line.c_str()));
    if (first > last)
        plan.notes.push_back(
            format(Msg::NoteNoIds, line.c_str(), static_cast<unsigned>(in.from), static_cast<unsigned>(in.to)));
    for (int id = first; id <= last; ++id) {
        plan.replies.push_back(kPositionReply);
        plan.ids.push_back(id);
    }
}

}  // namespace

LinePlan planLine(const std::string& line)
{
    LinePlan plan;
    if (line.empty()) {
        plan.notes.push_back(format(Msg::NoteEmptyLine));
        return plan;
    }
    plan.command = commandOf(line[0]);
    if (plan.command == 0) {
        plan.notes.push_back(format(Msg::NoteUnknownCommand, line.c_str(), line[0]));
        return plan;
    }
    std::string word = firstWord(line);
    if (line[0] != '\n' && !spelledOut(word))
        plan.notes.push_back(format(Msg::NoteFirstLetter, line.c_str(), line[0], word.c_str()));
    switch (plan.command) {
    case 'R':
        plan.replies.assign(kReadAllBlocks, kBlockBytes);
        break;
    case 'w':
    case 'f':
        planWrite(line, plan);
        break;
    case 'b':
        planPositions(line, plan);
        break;
    default:
        break;
    }
    return plan;
}

std::vector<std::string> replyNotes(const std::string& line, const LinePlan& plan, const std::vector<int>& reads,
                                    const std::vector<unsigned char>& bytes)
{
    std::vector<std::string> notes;
    if (plan.command == 'u' || plan.replies.empty())
        return notes;
    if (plan.command == 'b') {
        for (std::size_t k = 0; k < plan.ids.size() && k < reads.size(); ++k)
            if (reads[k] < kPositionReply)
                notes.push_back(format(Msg::NoteNoReply, line.c_str(), plan.ids[k]));
        return notes;
    }
    std::size_t expectedReads = plan.replies.size();
    int expected = std::accumulate(plan.replies.begin(), plan.replies.end(), 0);
    int got = std::accumulate(reads.begin(),
                              reads.begin() + static_cast<std::ptrdiff_t>(std::min(expectedReads, reads.size())), 0);
    // What the read-all drains after its blocks is noise on the line.
    int stray = std::accumulate(reads.begin() + static_cast<std::ptrdiff_t>(std::min(expectedReads, reads.size())),
                                reads.end(), 0);
    if (got == 0)
        notes.push_back(format(Msg::NoteNoReply, line.c_str(), SendID));
    else if (got < expected)
        notes.push_back(format(Msg::NoteShortReply, line.c_str(), got, expected));
    if (stray > 0)
        notes.push_back(format(Msg::NoteStray, line.c_str(), stray));
    if (plan.command == 'f' && got == 1 && !bytes.empty() && (bytes[0] & kRefused))
        notes.push_back(format(Msg::NoteFlashRefused, line.c_str(), bytes[0]));
    return notes;
}
