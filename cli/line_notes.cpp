#include "cli/line_notes.h"

#include "cli/register_args.h"
#include "cli/texts/messages.h"
#include "link/registers.h"

#include <algorithm>
#include <cctype>

namespace {

std::string firstWord(const std::string& line)
{
    const char* end = firstWordEnd(line.c_str());
    std::size_t start = line.find_first_not_of(" \t\r\n\f\v");
    std::size_t stop = static_cast<std::size_t>(end - line.c_str());
    return start == std::string::npos ? std::string() : line.substr(start, stop - start);
}

bool spelledOut(const std::string& word)
{
    std::string lower(word);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return word.size() == 1 || lower == "read";
}

void writeNotes(const std::string& line, const TermLine& parsed, std::vector<std::string>& notes)
{
    if (parsed.operandCount < 2) {
        notes.push_back(format(Msg::NoteMissingOperand, line.c_str(), line[0] == 'W' || line[0] == 'w' ? 'w' : 'f'));
        return;
    }
    if (parsed.address < 0 || parsed.value < 0) {
        notes.push_back(format(Msg::NoteNegativeOperand, line.c_str()));
        return;
    }
    if (parsed.row < 0) {
        notes.push_back(format(Msg::NoteNoRegister, line.c_str(), static_cast<unsigned>(parsed.address)));
        return;
    }
    const ParamDef& def = paramtbl[parsed.row];
    auto value = static_cast<uint32_t>(parsed.value);
    if (value > groupsMax(def.size))
        notes.push_back(format(Msg::NoteValueCut, line.c_str(), value, def.name, value & groupsMax(def.size)));
}

void positionNotes(const std::string& line, const TermLine& parsed, std::vector<std::string>& notes)
{
    if (parsed.positions.to > kHighestId)
        notes.push_back(format(Msg::NoteIdsCut, line.c_str()));
    if (parsed.firstId > parsed.lastId)
        notes.push_back(format(Msg::NoteNoIds, line.c_str(), static_cast<unsigned>(parsed.positions.from),
                               static_cast<unsigned>(parsed.positions.to)));
}

}  // namespace

std::vector<std::string> lineNotes(const std::string& line, const TermLine& parsed)
{
    std::vector<std::string> notes;
    if (line.empty()) {
        notes.push_back(format(Msg::NoteEmptyLine));
        return notes;
    }
    if (parsed.command == TermCommand::None) {
        notes.push_back(format(Msg::NoteUnknownCommand, line.c_str(), line[0]));
        return notes;
    }
    std::string word = firstWord(line);
    if (line[0] != '\n' && !spelledOut(word))
        notes.push_back(format(Msg::NoteFirstLetter, line.c_str(), line[0], word.c_str()));
    if (parsed.command == TermCommand::RamWrite || parsed.command == TermCommand::FlashWrite)
        writeNotes(line, parsed, notes);
    else if (parsed.command == TermCommand::Positions)
        positionNotes(line, parsed, notes);
    return notes;
}

std::vector<std::string> replyNotes(const std::string& line, const TermLine& parsed,
                                    const std::vector<TermReply>& replies)
{
    std::vector<std::string> notes;
    if (parsed.command == TermCommand::Positions) {
        for (const TermReply& reply : replies)
            if (reply.status != ReplyStatus::Whole)
                notes.push_back(format(Msg::NoteNoReply, line.c_str(), reply.id));
        return notes;
    }
    int expected = 0;
    int got = 0;
    int stray = 0;
    for (const TermReply& reply : replies) {
        expected += reply.expected;
        // What the read-all drains after its blocks is noise on the line.
        (reply.expected == 0 ? stray : got) += reply.received;
    }
    if (expected == 0)
        return notes;
    if (got == 0)
        notes.push_back(format(Msg::NoteNoReply, line.c_str(), replies.front().id));
    else if (got < expected)
        notes.push_back(format(Msg::NoteShortReply, line.c_str(), got, expected));
    if (stray > 0)
        notes.push_back(format(Msg::NoteStray, line.c_str(), stray));
    if (parsed.command == TermCommand::FlashWrite && replies.front().status == ReplyStatus::Refused)
        notes.push_back(format(Msg::NoteFlashRefused, line.c_str(), replies.front().ack));
    return notes;
}
