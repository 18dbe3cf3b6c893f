// orvelin restore: the settings of a backup (or any FLASH value file) written
// back where the servo's differ, without a clear first.
#include "cli/exit_codes.h"
#include "cli/outcomes.h"
#include "cli/port_setup.h"
#include "cli/staged_values.h"
#include "cli/subcommands.h"
#include "cli/texts/messages.h"
#include "orvelin/reads.h"
#include "orvelin/scan.h"
#include "orvelin/writes.h"

#include <chrono>
#include <cstdio>

namespace {

constexpr CommandHelp kHelp = {
    .common = kServoOptions,
    .english = {
        .arguments = "FILE",
        .intro = R"(Writes the settings a FLASH value file holds back into the servo, where they differ from
what it holds now: the FLASH write of each, the restart request ("w 9 1"), and each read
back (from the new ID when the file changes SYS_SID). Nothing is cleared first, unlike
flash, and what describes the servo or changes by itself is left alone: SYS_PN, SYS_VER,
SYS_UID, SYS_RST, SYS_ULK, the M_ registers, FB_TPOS and PWM_OUT. This is how the backup
that clear, flash and update take (orvelin backups) gives a servo its settings back, for
instance after a firmware update brought it back with its factory settings.
)",
        .outro = R"(
Example: orvelin restore ~/.local/state/orvelin/backups/id01-20261209-143005.txt --id 3F

Exit status: 0 done (also when nothing differs), 1 the port cannot be opened, 2 the file
cannot be used, or its SYS_SID is another servo's, 8 no answer from the servo, 9 a reply with bytes missing or extra, 10 a
value the servo refused or that does not read back.
)",
    },
    .japanese = {
        .arguments = "ファイル",
        .intro = R"(FLASH 値ファイルの設定のうち、サーボの現在の値と違うものを書き戻します: それぞれの
FLASH 書き込み、再起動要求 ("w 9 1")、それぞれの読み出し (ファイルが SYS_SID を変えるときは
新しい ID から)。flash と違って先に消去はせず、サーボ自身を表すものや自ら変わるものは
書きません: SYS_PN、SYS_VER、SYS_UID、SYS_RST、SYS_ULK、M_ のレジスタ、FB_TPOS、PWM_OUT。
clear、flash、update が取るバックアップ (orvelin backups) から、たとえばファームウェア
アップデートで工場出荷時の設定に戻ったサーボに設定を戻すときに使います。
)",
        .outro = R"(
例: orvelin restore ~/.local/state/orvelin/backups/id01-20261209-143005.txt --id 3F

終了コード: 0 完了 (違いがないときも)、1 ポートが開けない、2 ファイルが使えないか、その SYS_SID が
別のサーボのもの、8 サーボから
応答がない、9 応答のバイトが足りないか余分なバイトがある、10 サーボが受け付けなかった値、
または読み出した値が違う
)",
    },
};

// A restarted servo answers again within this.
constexpr auto kRestartWait = std::chrono::seconds(2);

int runRestore(const CommonArgs& args)
{
    if (!expectPositional(args, "restore", 1, 1, "FILE"))
        return kExitUsage;
    auto staged = loadStagedValues(args.positional[0]);
    if (!staged)
        return kExitUsage;
    int status = kExitOk;
    auto choice = choosePort(args, status);
    if (!choice)
        return status;
    RunBus bus(*choice);
    if (!portOpened(bus, status))
        return status;
    orvelin::ServoImage now;
    if (status = reportOutcome(orvelin::readServo(bus, choice->id, orvelin::BlockSet::all(), now), bus);
        status != kExitOk)
        return status;
    orvelin::StagedValues values;
    std::size_t count = 0;
    for (int row = 0; row < orvelin::kRegisterCount; ++row) {
        const std::string& cell = staged->cell(row);
        if (cell.empty() || !orvelin::isSetting(row) || stagedValue(cell) == now.value(row))
            continue;
        values[static_cast<std::size_t>(row)] = stagedValue(cell);
        ++count;
    }
    std::fflush(stdout);
    if (count == 0) {
        std::fprintf(stderr, "%s\n", format(Msg::RestoreNothing, choice->id).c_str());
        return kExitOk;
    }
    // A new ID must be free: two servos on one ID would answer as one.
    const int newId = orvelin::idAfter(choice->id, values);
    if (newId != choice->id && !orvelin::answeringIds(bus, {newId}).empty()) {
        complain(Msg::RestoreIdTaken, choice->id, newId);
        return kExitUsage;
    }
    if (status = reportOutcome(orvelin::writeFlashValues(bus, choice->id, values, kRestartWait), bus);
        status != kExitOk)
        return status;
    std::fprintf(stderr, "%s\n", format(Msg::UpdateSettingsRestored, count, choice->id).c_str());
    return kExitOk;
}

}  // namespace

const Subcommand restoreCommand = subcommand<CommonArgs, kNoOwnOptions, runRestore>("restore", kHelp);
