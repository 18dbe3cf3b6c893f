// orvelin backups: the copies clear and flash took of each servo before
// clearing it, newest first, each one a file 'orvelin flash' writes back.
#include "cli/exit_codes.h"
#include "cli/subcommands.h"
#include "cli/texts/messages.h"
#include "settings/backup_files.h"

#include <cstdio>

namespace {

constexpr CommandHelp kHelp = {
    .english = {
        .intro = R"(Lists the backups that 'orvelin clear' and 'orvelin flash' save before they clear a
servo, and 'orvelin update' before it uploads, newest first: one line per file with the
servo's ID, the time it was taken and the file's path. Each is a FLASH value file of every
register; 'orvelin flash FILE --id ID' writes it back whole after a clear, 'orvelin restore
FILE --id ID' only the settings that differ. They are kept in $XDG_STATE_HOME/orvelin/backups (by default
~/.local/state/orvelin/backups), on Windows in %LOCALAPPDATA%\orvelin\backups.

Exit status: 0 done (with or without backups), 2 bad arguments, or no folder for backups.
)",
    },
    .japanese = {
        .intro = R"('orvelin clear' と 'orvelin flash' がサーボを消去する前に、'orvelin update' が書き込む前に
保存したバックアップを、新しい順に一覧表示します: 1ファイル1行で、サーボの ID、保存した時刻、
ファイルのパス。どれも全レジスタの FLASH 値ファイルで、'orvelin flash ファイル --id ID' は
消去の後に全体を、'orvelin restore ファイル --id ID' は違う設定だけを書き戻します。保存先は
$XDG_STATE_HOME/orvelin/backups (省略時は ~/.local/state/orvelin/backups)、Windows では
%LOCALAPPDATA%\orvelin\backups です。

終了コード: 0 完了 (バックアップの有無にかかわらず)、2 引数の誤り、またはバックアップの
フォルダーがない
)",
    },
};

int runBackups(const CommonArgs& args)
{
    if (!expectPositional(args, "backups", 0, 0, ""))
        return kExitUsage;
    std::filesystem::path folder = backupFolder();
    if (folder.empty()) {
        complain(Msg::BackupNoFolder);
        return kExitUsage;
    }
    std::vector<BackupFile> files = listBackups(folder);
    if (files.empty())
        complain(Msg::BackupsNone, folder.string().c_str());
    for (const BackupFile& file : files)
        std::printf("%s\n", format(Msg::BackupsLine, file.id, file.time.c_str(), file.path.string().c_str()).c_str());
    return kExitOk;
}

}  // namespace

const Subcommand backupsCommand = subcommand<CommonArgs, kNoOwnOptions, runBackups>("backups", kHelp);
