// The command line's own grammar: options, numbers, ID lists, registers.
#include "cli/id_lists.h"
#include "orvelin/servo_lists.h"
#include "tests/cli/orvelin_runner.h"
#include "cli/options.h"
#include "cli/subcommands.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

struct FlashLike : CommonArgs {
    bool dryRun = false;
    std::optional<std::string> interval;
};

constexpr Option<FlashLike> kFlashLike[] = {{"--dry-run", &FlashLike::dryRun}, {"--interval", &FlashLike::interval}};

TEST(Arguments, OptionsInEveryForm)
{
    std::string error;
    std::vector<std::string> args{"--port", "/dev/ttyUSB0", "--baud=57600", "file.txt", "--dry-run",
                                  "-h",     "--",           "--not-an-option"};
    auto parsed = parseArgs<FlashLike>(args, kFlashLike, error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(*parsed->port, "/dev/ttyUSB0");
    EXPECT_EQ(*parsed->baud, "57600");
    EXPECT_TRUE(parsed->dryRun);
    EXPECT_TRUE(parsed->help);
    EXPECT_FALSE(parsed->wire);
    EXPECT_EQ(parsed->positional, (std::vector<std::string>{"file.txt", "--not-an-option"}));
}

TEST(Arguments, RefusesUnknownIncompleteAndMisusedOptions)
{
    std::string error;
    std::vector<std::string> unknown{"--colour"};
    EXPECT_FALSE(parseArgs<FlashLike>(unknown, kFlashLike, error));
    EXPECT_NE(error.find("--colour"), std::string::npos);
    std::vector<std::string> noValue{"--interval"};
    EXPECT_FALSE(parseArgs<FlashLike>(noValue, kFlashLike, error));
    EXPECT_NE(error.find("--interval"), std::string::npos);
    std::vector<std::string> flagWithValue{"--dry-run=yes"};
    EXPECT_FALSE(parseArgs<FlashLike>(flagWithValue, kFlashLike, error));
}

TEST(Arguments, CommonOptionsMayComeBeforeTheCommand)
{
    std::vector<std::string> args{"--port", "/dev/ttyUSB0", "--wire", "--id=1", "table", "--json"};
    EXPECT_EQ(leadingCommonOptions(args), 4u);
    std::vector<std::string> none{"table", "--port", "/dev/ttyUSB0"};
    EXPECT_EQ(leadingCommonOptions(none), 0u);
}

TEST(Arguments, HexadecimalAndDecimalNumbers)
{
    EXPECT_EQ(parseHex("3e8"), 0x3E8u);
    EXPECT_EQ(parseHex("0X0000003E8"), 0x3E8u);
    for (const char* bad : {"", "0x", "12G", "-1"})
        EXPECT_FALSE(parseHex(bad)) << bad;
    EXPECT_EQ(parseHex("FFFFFFFFFFFFFFFFFFFF"), UINT64_MAX);
    EXPECT_EQ(parseDecimal("115200"), 115200u);
    EXPECT_FALSE(parseDecimal("0x10"));
    EXPECT_FALSE(parseDecimal(" 9600"));
}

TEST(Arguments, IdAndBaudLists)
{
    EXPECT_EQ(orvelin::parseIdList("0-3,10,2"), (std::vector<int>{0, 1, 2, 3, 0x10}));
    EXPECT_EQ(orvelin::parseIdList("3F"), (std::vector<int>{0x3F}));
    EXPECT_EQ(orvelin::parseIdList("0-3F")->size(), 64u);
    for (const char* bad : {"", "3-1", "40", "0-40", "1,,2", "1,", "x", "-3"})
        EXPECT_FALSE(orvelin::parseIdList(bad)) << bad;
    EXPECT_EQ(parseBaudList("57600,115200"), (std::vector<int>{57600, 115200}));
    for (const char* bad : {"", "0", "fast", "9600,", "-9600"})
        EXPECT_FALSE(parseBaudList(bad)) << bad;
}

}  // namespace

namespace {

TEST(Help, EveryCommandExplainsItselfInBothLanguages)
{
    for (const char* command : {"term", "table", "set", "clear", "flash", "update", "scan", "watch", "ports", "config"}) {
        RunResult english = runOrvelin({command, "--help"});
        EXPECT_EQ(english.status, 0) << command;
        EXPECT_TRUE(english.out.starts_with(std::string("Usage: orvelin ") + command)) << english.out;
        RunResult japanese = runOrvelin({command, "-h"}, RunOptions().withEnv("LANG", "ja_JP.UTF-8"));
        EXPECT_TRUE(japanese.out.starts_with(std::string("使い方: orvelin ") + command)) << japanese.out;
    }
    RunResult overview = runOrvelin({"--help"});
    EXPECT_EQ(overview.status, 0);
    EXPECT_NE(overview.out.find("Exit status"), std::string::npos);

    EXPECT_EQ(runOrvelin({}).status, 2);
    RunResult unknown = runOrvelin({"flsh", "x.txt"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("unknown command 'flsh'"), std::string::npos) << unknown.err;
}

// Each option of a table is in its command's usage line, and in the list of
// options when it has a help, in both languages.
TEST(Help, EveryOptionOfATableIsInItsHelp)
{
    for (const Subcommand* command : subcommands()) {
        for (const OptionDoc& option : command->options) {
            std::string where = std::string(command->name) + " " + std::string(option.name);
            EXPECT_EQ(option.metavar.english.empty(), option.metavar.japanese.empty()) << where;
            EXPECT_EQ(option.help.english.empty(), option.help.japanese.empty()) << where;
            for (Language language : {Language::english, Language::japanese}) {
                std::string help = commandHelp(*command, language);
                std::string usage = help.substr(0, help.find('\n'));
                std::string word(option.name);
                if (!option.metavar.empty())
                    word.append(" ").append(option.metavar.in(language));
                EXPECT_TRUE(usage.find("[" + word) != std::string::npos || usage.find("| " + word) != std::string::npos)
                    << where << ": " << usage;
                std::string listed = "\n  " + std::string(option.name);
                EXPECT_EQ(help.find(listed) != std::string::npos, !option.help.empty()) << where << ":\n" << help;
            }
        }
    }
}

TEST(Help, VersionIsTheProjects)
{
    RunResult version = runOrvelin({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "orvelin " ORVELIN_PROJECT_VERSION "\n");
    EXPECT_NE(runOrvelin({"--help"}).out.find("orvelin --version"), std::string::npos);
}

}  // namespace

namespace {

TEST(Help, HelpCommandAndSuggestionsForMistypedWords)
{
    RunResult overview = runOrvelin({"help"});
    EXPECT_EQ(overview.status, 0);
    EXPECT_EQ(overview.out, runOrvelin({"--help"}).out);
    RunResult flash = runOrvelin({"help", "flash"});
    EXPECT_EQ(flash.status, 0);
    EXPECT_EQ(flash.out, runOrvelin({"flash", "--help"}).out);

    RunResult command = runOrvelin({"tabel"});
    EXPECT_EQ(command.status, 2);
    EXPECT_NE(command.err.find("unknown command 'tabel'; did you mean 'table'?"), std::string::npos) << command.err;
    EXPECT_NE(runOrvelin({"help", "updaet"}).err.find("did you mean 'update'?"), std::string::npos);
    RunResult option = runOrvelin({"table", "--jsno"});
    EXPECT_EQ(option.status, 2);
    EXPECT_NE(option.err.find("unknown option '--jsno'; did you mean '--json'?"), std::string::npos) << option.err;
    // Nothing near enough: no guess.
    EXPECT_EQ(runOrvelin({"frobnicate"}).err.find("did you mean"), std::string::npos);
}

}  // namespace
