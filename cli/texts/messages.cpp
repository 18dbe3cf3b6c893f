#include "cli/texts/messages.h"

#include "ops/operator_texts.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

struct Text {
    Msg msg;
    const char* english;
    const char* japanese;
};

constexpr const char* japaneseOf(OperatorText text)
{
    return wording(text).japanese;
}

// Japanese texts reuse the window's wording where the meaning is the same.
constexpr Text kTexts[] = {
    {Msg::UnknownCommand, "unknown command '%s'; 'orvelin --help' lists the commands",
     "'%s' というコマンドはありません。'orvelin --help' で一覧を表示します"},
    {Msg::UnknownCommandNear, "unknown command '%s'; did you mean '%s'?",
     "'%s' というコマンドはありません。'%s' のことですか?"},
    {Msg::UnknownOption, "unknown option '%s'", "'%s' というオプションはありません"},
    {Msg::UnknownOptionNear, "unknown option '%s'; did you mean '%s'?", "'%s' というオプションはありません。'%s' のことですか?"},
    {Msg::OptionNeedsValue, "option %s needs a value", "オプション %s には値が必要です"},
    {Msg::OptionTakesNoValue, "option %s takes no value", "オプション %s は値を取りません"},
    {Msg::MissingArgument, "missing %s", "%s がありません"},
    {Msg::ExtraArgument, "unexpected argument '%s'", "余分な引数 '%s' があります"},
    {Msg::SeeHelp, "'orvelin %s --help' shows how to use it", "使い方は 'orvelin %s --help' で表示します"},
    {Msg::BadBaud, "baud rate '%s' is not a positive decimal number such as 115200",
     "ボーレート '%s' は 115200 のような正の10進数ではありません"},
    {Msg::BadId, "servo ID '%s' is not hexadecimal from 0 to 3F", "サーボID '%s' は 0〜3F の16進数ではありません"},

    {Msg::PortNotPath, "'%s' is not a device path here: give one such as --port /dev/ttyUSB0 ('orvelin ports' lists them)",
     "'%s' はこの環境のデバイスパスではありません。--port /dev/ttyUSB0 のように指定してください ('orvelin ports' で一覧を表示します)"},
    {Msg::ConfigPortNotPath,
     "no usable port: %s names '%s', which is not a device path here. Give --port /dev/ttyUSB0, or save one with "
     "'orvelin config --port /dev/ttyUSB0' ('orvelin ports' lists the devices)",
     "使えるポートがありません: %s のポート '%s' はこの環境のデバイスパスではありません。--port /dev/ttyUSB0 "
     "を指定するか、'orvelin config --port /dev/ttyUSB0' で保存してください ('orvelin ports' で一覧を表示します)"},
    {Msg::PortTooLong, "port name '%s' is too long", "ポート名 '%s' が長すぎます"},
    {Msg::PortOpenFailed, "serial_open: cannot open %s at %d baud: %s",
     "serial_open: COMポートが開けません (%s, %d bps): %s"},
    {Msg::PortNotADevicePath, "not a device path", "デバイスパスではありません"},
    {Msg::PortNoSuchDevice, "no such device ('orvelin ports' lists the serial devices)",
     "そのデバイスはありません ('orvelin ports' でシリアルデバイスの一覧を表示します)"},
#ifdef __linux__
    {Msg::PortPermissionDenied,
     "permission denied: add yourself to the dialout group (sudo usermod -aG dialout $USER, then log in again)",
     "アクセスが拒否されました: dialout グループに加えてください (sudo usermod -aG dialout $USER の後、"
     "ログインし直します)"},
#else
    {Msg::PortPermissionDenied, "permission denied", "アクセスが拒否されました"},
#endif
    {Msg::PortBusy, "busy: another program holds it", "使用中です: 別のプログラムが開いています"},
    {Msg::PortNotSerial, "not a serial port", "シリアルポートではありません"},
    {Msg::PortSettingRefused, "the driver refuses %d baud or the line setting",
     "ドライバーが %d bps または回線の設定を受け付けません"},
    {Msg::PortUnknownReason, "the system gives no reason", "理由は不明です"},
    {Msg::NoPortConfigured, "no port configured: use --port DEVICE or orvelin config --port DEVICE",
     "ポートが設定されていません: --port デバイス を指定するか、orvelin config --port デバイス で保存してください"},
    {Msg::AdapterEchoes,
     "note: the adapter on %s returns every byte it sends (a one-wire adapter); orvelin skips that echo and reads the "
     "servo's reply after it",
     "注意: %s のアダプタは送信したバイトをすべて返します (1線式アダプタ)。その折り返しを読み飛ばし、後に続くサーボの応答を読みます"},
    {Msg::LatencyHint,
     "note: %s has a USB latency timer of %d ms, which every reply waits for; 1 ms is faster: echo 1 | sudo tee %s",
     "注意: %s の USB レイテンシタイマーは %d ms で、応答のたびにこの時間を待ちます。1 ms "
     "にすると速くなります: echo 1 | sudo tee %s"},

    {Msg::LineTooLong, "command line longer than %d characters", "コマンド行が %d 文字を超えています"},
    {Msg::LineFailed, "'%s' failed: %s", "'%s' が失敗しました: %s"},
    {Msg::NoteEmptyLine, "note: an empty line sends nothing", "注意: 空の行は何も送信しません"},
    {Msg::NoteUnknownCommand, "note: '%s' sent nothing: '%c' is not a command (R, w, f, b, s, u)",
     "注意: '%s' は何も送信していません: '%c' はコマンドではありません (R, w, f, b, s, u)"},
    {Msg::NoteFirstLetter, "note: '%s' ran as the command '%c': only the first letter of '%s' counts",
     "注意: '%s' はコマンド '%c' として実行しました: '%s' は先頭の1文字だけが意味を持ちます"},
    {Msg::NoteMissingOperand, "note: '%s' sent nothing: %c needs an address and a value (hexadecimal)",
     "注意: '%s' は何も送信していません: %c にはアドレスと値 (16進数) が必要です"},
    {Msg::NoteNegativeOperand, "note: '%s' sent nothing: the address or the value is negative or beyond 32 bits",
     "注意: '%s' は何も送信していません: アドレスまたは値が負か、32ビットを超えています"},
    {Msg::NoteNoRegister, "note: '%s' sent nothing: no register starts at address 0x%02X",
     "注意: '%s' は何も送信していません: アドレス 0x%02X から始まるレジスタはありません"},
    {Msg::NoteValueCut, "note: '%s': 0x%X is too wide for %s, which gets 0x%X",
     "注意: '%s': 0x%X は %s には大きすぎます。書き込まれるのは 0x%X です"},
    {Msg::NoteIdsCut, "note: '%s': servo IDs end at 3F, and so does the range",
     "注意: '%s': サーボ ID は 3F までのため、範囲もそこで終わります"},
    {Msg::NoteNoIds, "note: '%s': no ID from %X to %X, so only the fixed packet was sent",
     "注意: '%s': %X から %X までの ID がないため、固定パケットだけを送信しました"},
    {Msg::NoteNoReply, "note: '%s': no reply from the ORVELIN with ID %02X",
     "注意: '%s': ID %02X の ORVELIN から応答がありません"},
    {Msg::NoteShortReply, "note: '%s': only %d of the %d reply bytes came",
     "注意: '%s': 応答は %d バイトしか届きませんでした (%d バイト中)"},
    {Msg::NoteStray, "note: '%s': %d stray bytes followed the reply", "注意: '%s': 応答の後に余分なバイトが %d バイト届きました"},
    {Msg::NoteFlashRefused, "note: '%s': the ORVELIN answered 0x%02X: it did not take the value",
     "注意: '%s': ORVELIN の応答は 0x%02X で、値を受け付けませんでした"},

    {Msg::UploadFailOpen, "the update file cannot be opened",
     "ファームウェアの書き込みができません (アップデートファイルを開けません)"},
    {Msg::UploadFailNot7Bit, "the update file is not valid (a byte at or above 0x80, or more than 12288 bytes)",
     japaneseOf(OperatorText::UpdateBadFile)},
    {Msg::UploadFailNoAck, "no answer from the ORVELIN", japaneseOf(OperatorText::UpdateNoAnswer)},
    {Msg::UploadFailRejected, "the ORVELIN rejected a chunk: the checksum is not correct",
     japaneseOf(OperatorText::UpdateRejected)},
    {Msg::UploadFailOther, "an unknown error occurred", "不明なエラーが発生しました"},
    {Msg::UpdateErrorTitle, "update error", japaneseOf(OperatorText::UpdateErrorTitle)},

    {Msg::NoReply,
     "no answer from the ORVELIN with ID %02X on %s at %d baud. Check the ID ('orvelin scan'), the baud rate and "
     "the power.",
     "ORVELINから応答がありません (ID %02X, %s, %d bps)。ID ('orvelin scan')、ボーレート、電源を確認してください。"},
    {Msg::ShortSample,
     "only %d of the %d bytes of a sample came from the ORVELIN with ID %02X: the values are not trusted. Check the "
     "cable, the baud rate and the power.",
     "サンプルは %d バイトしか届きませんでした (%d バイト中、ID %02X の ORVELIN)。値は信頼できません。"
     "ケーブル、ボーレート、電源を確認してください。"},
    {Msg::TableHeader, "Name     Address  RAM", "名前     アドレス RAM"},
    {Msg::TableHeaderIds, "Name     Address", "名前     アドレス"},
    {Msg::ServoDone, "ID %02X: done", "ID %02X: 完了"},
    {Msg::ServoFailed, "ID %02X: failed (exit status %d)", "ID %02X: 失敗 (終了コード %d)"},
    {Msg::ServoId, "%02X", "%02X"},
    {Msg::ServosAllDone, "all %zu servos done", "%zu 台すべて完了"},
    {Msg::ServosSummary, "%zu of %zu servos done; failed: %s; not tried: %zu",
     "%zu / %zu 台が完了。失敗: %s。未実行: %zu 台"},
    {Msg::ServoAt, "ID %02X (%zu of %zu)", "ID %02X (%zu / %zu 台目)"},
    {Msg::ShortReply,
     "only %d of the 96 register bytes came from the ORVELIN with ID %02X: the values are not trusted. Check the "
     "cable, the baud rate and the power.",
     "レジスタ 96 バイトのうち %d バイトしか届きませんでした (ID %02X の ORVELIN)。値は信頼できません。"
     "ケーブル、ボーレート、電源を確認してください。"},
    {Msg::StrayReply,
     "%d stray bytes followed the reply of the ORVELIN with ID %02X: the values are not trusted. Check that no "
     "other servo has this ID and the baud rate.",
     "余分なバイトが %d バイト、応答の後に届きました (ID %02X の ORVELIN)。値は信頼できません。"
     "同じ ID のサーボが他にないこととボーレートを確認してください。"},

    {Msg::UnknownRegister, "'%s' is not a register name or address; 'orvelin table' lists them",
     "'%s' はレジスタ名でもアドレスでもありません。'orvelin table' で一覧を表示します"},
    {Msg::NoRegisterAt, "no register starts at address %s; 'orvelin table' lists the addresses",
     "アドレス %s から始まるレジスタはありません。'orvelin table' でアドレスの一覧を表示します"},
    {Msg::NoRegisterNamed, "'%s' names no register and begins no register's name ('orvelin table' lists them)",
     "'%s' というレジスタはなく、その名前で始まるレジスタもありません ('orvelin table' で一覧を表示します)"},
    {Msg::BadHexValue, "'%s' is not a hexadecimal value (such as 3E8 or 0x3E8)",
     "'%s' は16進数の値ではありません (例: 3E8 または 0x3E8)"},
    {Msg::ValueOutOfRange, "'%s' is out of range: register values go from 0 to 0x0FFFFFFF",
     "'%s' は範囲外です。レジスタの値は 0〜0x0FFFFFFF です"},
    {Msg::ValueTooWide, "%s is too wide for %s: %d bytes of 7 bits hold 0 to 0x%X",
     "%s は %s には大きすぎます: 7ビット×%dバイトに入るのは 0〜0x%X です"},
    {Msg::ReadBackDiffers, "ID %02X: %s was written with %s but reads back %s",
     "ID %02X: %s に %s を書き込みましたが、読み出した値は %s です"},
    {Msg::EchoDiffers, "ID %02X: the ORVELIN answered the write of %s with %s instead of %s",
     "ID %02X: ORVELIN は %s の書き込みに %s と応答しました (書き込んだ値は %s)"},
    {Msg::NoEcho, "the ORVELIN with ID %02X did not answer the write of %s", "ID %02X の ORVELIN が %s の書き込みに応答しません"},

    {Msg::ClearDoneTitle, wording(OperatorText::ClearDoneTitle).english, japaneseOf(OperatorText::ClearDoneTitle)},
    {Msg::RestartPrompt, "Restart the ORVELIN and press Enter.", "ORVELINを再起動してEnterを押してください"},
    {Msg::RestartPromptMany, "Restart these ORVELINs and press Enter.", "これらの ORVELIN を再起動して Enter を押してください"},
    {Msg::ForIds, "%s (IDs %s)", "%s (ID %s)"},
    {Msg::RestartNoticeUpdate, "Restart the ORVELIN.", "ORVELINを再起動してください"},
    {Msg::FlashDoneTitle, wording(OperatorText::FlashDoneTitle).english, japaneseOf(OperatorText::FlashDoneTitle)},
    {Msg::FlashDone, wording(OperatorText::FlashDone).english, japaneseOf(OperatorText::FlashDone)},
    {Msg::UpdateDoneTitle, wording(OperatorText::UpdateDoneTitle).english, japaneseOf(OperatorText::UpdateDoneTitle)},
    {Msg::UpdateDone, "The firmware has been written.", "ファームウェアの書き込みが完了しました"},
    {Msg::NotConfirmed,
     "the restart was not confirmed (standard input ended): the settings were cleared but no value was written. "
     "Use --yes in scripts.",
     "再起動が確認されませんでした (標準入力が終了しました)。設定は消去されましたが、値は書き込まれていません。"
     "スクリプトでは --yes を使ってください。"},

    {Msg::FileCannotOpen, "cannot open %s: %s", "%s を開けません: %s"},
    {Msg::FileNotRegular, "%s is not a plain file (a folder, a device or a pipe); nothing was sent",
     "%s は通常のファイルではありません (フォルダー、デバイス、パイプ)。何も送信していません"},
    {Msg::FlashFileTooLarge, "%s is %llu bytes, far more than a FLASH value file of 63 lines; nothing was sent",
     "%s は %llu バイトで、63 行の FLASH 値ファイルとしては大きすぎます。何も送信していません"},
    {Msg::FlashFileEmpty,
     "%s stages no value; nothing was sent and the settings were not cleared",
     "%s には書き込む値がありません。何も送信しておらず、設定も消去していません"},
    {Msg::FlashBadLine, "%s, line %d: '%s' is not 'ROW VALUE' (such as 18 0x03E8); nothing was sent",
     "%s の %d 行目: '%s' は「行 値」(例: 18 0x03E8) の形ではありません。何も送信していません"},
    {Msg::FlashBadRow, "%s, line %d: row '%s' is not one of the 63 registers (0 to 62); nothing was sent",
     "%s の %d 行目: 行 '%s' は 63 個のレジスタ (0〜62) にありません。何も送信していません"},
    {Msg::FlashBadValue,
     "%s, line %d: '%s' for %s is not 0x followed by up to 8 hexadecimal digits; nothing was sent",
     "%s の %d 行目: '%s' (%s の値) は 0x と8桁までの16進数ではありません。何も送信していません"},
    {Msg::FlashValueTooWide,
     "%s, line %d: %s is too wide for %s: %d bytes of 7 bits hold 0 to 0x%X; nothing was sent",
     "%s の %d 行目: %s は %s には大きすぎます: 7ビット×%dバイトに入るのは 0〜0x%X です。何も送信していません"},
    {Msg::FlashDuplicateRow, "%s, line %d: row %d (%s) was given before, on line %d; nothing was sent",
     "%s の %d 行目: 行 %d (%s) は %d 行目にもあります。何も送信していません"},
    {Msg::FlashNeedsTerminal,
     "the FLASH write waits for you to restart the ORVELIN after the clear, but standard input is not a terminal. "
     "Run it from a terminal, or give --yes when the restart is taken care of; nothing was sent.",
     "FLASH の書き込みは消去の後に ORVELIN の再起動を待ちますが、標準入力が端末ではありません。端末から実行するか、"
     "再起動の準備ができているなら --yes を指定してください。何も送信していません。"},
    {Msg::FlashRefused,
     "the ORVELIN with ID %02X refused the FLASH write of %s (it answered 0x%02X); nothing after it was written",
     "ID %02X の ORVELIN が %s の FLASH 書き込みを受け付けませんでした (応答 0x%02X)。それ以降は何も書き込んでいません"},

    {Msg::FlashChangesId,
     "the file sets SYS_SID, the servo's ID, to %02X, and would give it to the servo with ID %02X: two servos would "
     "answer as one. Save without SYS_SID (orvelin save --registers ...), or give --allow-id-change; nothing was "
     "sent",
     "ファイルはサーボの ID である SYS_SID を %02X にします。ID %02X のサーボに書き込むと、2台のサーボが同じ ID で"
     "応答します。SYS_SID を除いて保存するか (orvelin save --registers ...)、--allow-id-change を指定してください。"
     "何も送信していません"},
    {Msg::BackupSaved, "backed up the ORVELIN with ID %02X to %s\nto restore it: orvelin flash %s --id %02X",
     "ID %02X の ORVELIN を %s にバックアップしました\n元に戻すには: orvelin flash %s --id %02X"},
#ifdef _WIN32
    {Msg::BackupNoFolder, "no folder for backups: LOCALAPPDATA is not set",
     "バックアップのフォルダーがありません: LOCALAPPDATA が設定されていません"},
#else
    {Msg::BackupNoFolder, "no folder for backups: neither XDG_STATE_HOME nor HOME is set",
     "バックアップのフォルダーがありません: XDG_STATE_HOME も HOME も設定されていません"},
#endif
    {Msg::BackupFolderFailed, "cannot create the backup folder %s: %s", "バックアップのフォルダー %s を作れません: %s"},
    {Msg::BackupWriteFailed, "cannot write the backup %s (a full disk, or a folder not writable?)",
     "バックアップ %s を書き込めません (ディスクがいっぱいか、書き込めないフォルダーではありませんか)"},
    {Msg::BackupStops,
     "nothing was cleared, since a servo could not be backed up (--no-backup clears without a backup)",
     "バックアップできないサーボがあるため、何も消去していません (--no-backup でバックアップなしに消去します)"},
    {Msg::BackupLeftOut, "the ORVELIN with ID %02X is left out: it could not be backed up, so it was not cleared",
     "ID %02X の ORVELIN はバックアップできないため、消去せずに除きます"},
    {Msg::BackupsNone, "no backups in %s", "%s にバックアップはありません"},
    {Msg::BackupsLine, "ID %02X  %s  %s", "ID %02X  %s  %s"},
    {Msg::UpdateFileNot7Bit,
     "%s: byte 0x%02X at offset %ld is 0x80 or above; an update file holds 7-bit bytes only. Nothing was sent.",
     "%s: バイト 0x%02X (オフセット %ld) が 0x80 以上です。アップデートファイルは7ビットのバイトだけを含みます。"
     "何も送信していません。"},
    {Msg::UpdateFileTooLong, "%s is %ld bytes; at most %ld fit the ORVELIN. Nothing was sent.",
     "%s は %ld バイトです。ORVELINに書き込めるのは %ld バイトまでです。何も送信していません。"},
    {Msg::UpdatePathTooLong, "the update file's path is longer than %d characters; move it or link it to a shorter path",
     "アップデートファイルのパスが %d 文字を超えています。短いパスに移すかリンクを作ってください"},
    {Msg::UpdateFileEmpty, "%s is empty: it holds no firmware. Nothing was sent.",
     "%s は空です。ファームウェアが入っていません。何も送信していません。"},
    {Msg::UpdateLostServo,
     "the ORVELIN with ID %02X does not answer at %d baud after the update: it may have come back with other "
     "settings (another ID or baud rate). Find it with: orvelin scan --baud all\nits settings are backed up in %s; "
     "write them back with: orvelin restore %s --id ID",
     "ID %02X の ORVELIN がアップデートの後 %d bps で応答しません。別の設定 (ID やボーレート) で戻った"
     "可能性があります。orvelin scan --baud all で探してください\n設定は %s にバックアップしてあります。"
     "書き戻すには: orvelin restore %s --id ID"},
    {Msg::UpdateSettingsKept, "the ORVELIN with ID %02X kept its settings", "ID %02X の ORVELIN は設定を保っています"},
    {Msg::UpdateSettingsChanged, "after the update the ORVELIN with ID %02X has other values in %zu settings:",
     "アップデートの後、ID %02X の ORVELIN は %zu 個の設定の値が変わりました:"},
    {Msg::UpdateSettingWas, "was %s", "以前は %s"},
    {Msg::UpdateRestoreHint, "to write them back: orvelin restore %s --id %02X",
     "書き戻すには: orvelin restore %s --id %02X"},
    {Msg::UpdateSettingsRestored, "wrote %zu settings back into the ORVELIN with ID %02X, each read back",
     "%zu 個の設定を ID %02X の ORVELIN に書き戻し、それぞれを読み出して確かめました"},
    {Msg::RestoreNeedsBackup, "--restore-settings needs the backup that --no-backup leaves out",
     "--restore-settings には、--no-backup が省くバックアップが必要です"},
    {Msg::RestoreNothing, "the ORVELIN with ID %02X already holds the file's settings: nothing written",
     "ID %02X の ORVELIN はすでにファイルの設定を持っています。何も書き込みません"},
    {Msg::RestoreIdTaken,
     "the file gives the ORVELIN with ID %02X the ID %02X, at which another servo answers: two servos on one ID "
     "would answer as one, so nothing is written",
     "ファイルは ID %02X の ORVELIN に ID %02X を与えますが、その ID では別のサーボが応答しています。同じ ID "
     "のサーボが 2 台になると区別できないため、何も書き込みません"},
    {Msg::UpdateInterrupted,
     "the update was stopped after %ld of %ld chunks: the ORVELIN's firmware is incomplete. Run 'orvelin update %s' "
     "again before you restart the servo or use it.",
     "アップデートを中断しました (%ld / %ld チャンク)。ORVELIN のファームウェアは不完全です。サーボを再起動したり"
     "使ったりする前に、もう一度 'orvelin update %s' を実行してください。"},
    {Msg::ProgressChunks, "%ld/%ld chunks", "%ld/%ld チャンク"},
    {Msg::ProgressLeft, "%s left", "残り %s"},

    {Msg::BadIdList, "'%s' is not an ID list such as 0-3F or 1,2,5 (hexadecimal, 0 to 3F)",
     "'%s' は 0-3F や 1,2,5 のような ID の指定ではありません (16進数 0〜3F)"},
    {Msg::BadBaudList, "'%s' is not a list of baud rates such as 115200 or 57600,115200",
     "'%s' は 115200 や 57600,115200 のようなボーレートの指定ではありません"},
    {Msg::ScanNone, "no servo answered on %s", "%s で応答したサーボはありません"},
    {Msg::ScanGarbled,
     "ID %02X at %d baud: %d bytes came after its reply, which is not used: two servos may share this ID, or the "
     "baud rate is wrong",
     "ID %02X (%d bps): 応答の後に %d バイト届いたため、応答は使いません。同じ ID のサーボが 2 台あるか、ボーレートが違います"},
    {Msg::ScanLate, "ID %02X at %d baud: its reply came late and is not used",
     "ID %02X (%d bps): 応答が遅れて届いたため使いません"},
    {Msg::ScanShort, "ID %02X at %d baud: only %d of the 16 reply bytes came",
     "ID %02X (%d bps): 応答 16 バイトのうち %d バイトしか届きませんでした"},
    {Msg::ScanNamesAnother, "ID %02X at %d baud: its reply names ID %02X and is not used",
     "ID %02X (%d bps): 応答が ID %02X を名乗っているため使いません"},
    {Msg::ScanRateRefused, "%s does not take %d baud: that rate was not scanned",
     "%s は %d bps に設定できないため、その速度では探していません"},
    {Msg::ScanProgress, "scanning ID %02X (%zu of %zu) at %d baud", "ID %02X を探しています (%zu / %zu、%d bps)"},
    {Msg::NeedRegister, "name at least one register to watch, such as M_POS",
     "監視するレジスタを1つ以上指定してください (例: M_POS)"},
    {Msg::BadInterval, "interval '%s' is not a number of milliseconds", "間隔 '%s' はミリ秒の数値ではありません"},
    {Msg::BadCount, "count '%s' is not a positive number", "回数 '%s' は正の数ではありません"},
    {Msg::PlotNeedsTerminal,
     "--plot draws on a terminal, and standard output is not one; use --csv or --svg FILE to keep the samples",
     "--plot は端末に描画しますが、標準出力が端末ではありません。サンプルを残すには --csv か --svg ファイル を使ってください"},
    {Msg::PlotWithCsv, "--plot and --csv both use standard output; choose one (--svg FILE goes with either)",
     "--plot と --csv はどちらも標準出力を使います。どちらか一方にしてください (--svg ファイル はどちらとも使えます)"},
    {Msg::SvgFolderMissing, "cannot write the chart to %s: there is no folder %s",
     "グラフを %s に書き込めません: フォルダー %s がありません"},
    {Msg::SvgWriteFailed, "cannot write the chart to %s; check that its folder is writable",
     "グラフを %s に書き込めません。フォルダーに書き込めるか確認してください"},
    {Msg::SvgWritten, "chart of %lu samples written to %s", "%lu 回分のグラフを %s に書き込みました"},
    {Msg::SvgNoSamples, "no sample was taken, so %s was not written",
     "サンプルがないため %s には書き込んでいません"},
    {Msg::ChartTooSmall, "the terminal is too small for the chart", "端末が小さすぎてグラフを表示できません"},
    {Msg::ChartTitle, "orvelin watch  %s  ID %s  every %ld ms", "orvelin watch  %s  ID %s  %ld ms ごと"},
    {Msg::ChartSamples, "%lu samples in %.1f s", "%lu 回 (%.1f 秒)"},
    {Msg::ChartTimeAxis, "time since the start (s)", "開始からの時間 (秒)"},
    {Msg::ChartValueAxis, "register value", "レジスタの値"},

    {Msg::SaveDone, "saved %zu values of the ORVELIN with ID %02X to %s",
     "%zu 個の値 (ID %02X の ORVELIN) を %s に保存しました"},
    {Msg::SaveFailed, "cannot write %s (is it a folder, or its folder not writable?); nothing was changed",
     "%s に書き込めません (フォルダーか、書き込めないフォルダーではありませんか)。何も変更していません"},
    {Msg::DiffFile, "file", "ファイル"},
    {Msg::DiffNone, "no register differs", "違うレジスタはありません"},
    {Msg::DiffCount, "%zu registers differ", "%zu 個のレジスタが違います"},
    {Msg::DiffFileOrWith, "compare with a FILE or with --with ID, not both",
     "FILE と --with ID のどちらか一方と比べてください"},
    {Msg::DiffNothingToCompare,
     "nothing to compare: give a FILE, --with ID, or several servos with --id (1,2 or all)",
     "比べるものがありません: FILE、--with ID、または --id で複数のサーボ (1,2 や all) を指定してください"},
    {Msg::PortsNone, "no serial devices found; plug the adapter in and look at 'dmesg'",
     "シリアルデバイスが見つかりません。アダプタを接続して 'dmesg' を確認してください"},
    {Msg::PortsLatency, "latency timer %d ms", "レイテンシタイマー %d ms"},
    {Msg::PortsLatencyHint, "set it to 1 ms for faster replies: echo 1 | sudo tee %s",
     "1 ms にすると応答が速くなります: echo 1 | sudo tee %s"},
    {Msg::PortsInForce, "%s (the port in force): %s", "%s (使用するポート): %s"},
    {Msg::PortsInForceClosed, "%s (the port in force): cannot be opened now, so its low latency is unknown",
     "%s (使用するポート): 現在開けないため、低レイテンシの状態はわかりません"},
    {Msg::LowLatencyOn, "low latency: on", "低レイテンシ: 有効"},
    {Msg::LowLatencyRefused, "low latency: not supported by this driver",
     "低レイテンシ: このドライバーは対応していません"},
    {Msg::LowLatencyUnavailable, "low latency: not available on this system (the adapter's latency timer applies)",
     "低レイテンシ: このシステムでは使えません (アダプタのレイテンシタイマーが適用されます)"},
    {Msg::WireLowLatency, "port %s, %s", "ポート %s、%s"},
    {Msg::ConfigFile, "configuration file: %s", "設定ファイル: %s"},
    {Msg::ConfigSaved, "saved", "保存しました"},
    {Msg::ConfigWriteFailed, "cannot write %s; check that its folder is writable",
     "%s に書き込めません。フォルダーに書き込めるか確認してください"},
    {Msg::ConfigNoId, "the configuration file keeps only the port and the baud rate; give --id with each command",
     "設定ファイルに保存するのはポートとボーレートだけです。--id はコマンドごとに指定してください"},
};

bool startsWithJa(const char* value)
{
    return value != nullptr && std::strncmp(value, "ja", 2) == 0;
}

bool detectJapanese()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return startsWithJa(value);
    }
#ifdef _WIN32
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
#else
    return false;
#endif
}

std::string vformat(const char* fmt, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    int size = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    if (size <= 0)
        return {};
    std::vector<char> buffer(static_cast<std::size_t>(size) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), fmt, args);
    return std::string(buffer.data(), static_cast<std::size_t>(size));
}

}  // namespace

bool japanese()
{
    static const bool value = detectJapanese();
    return value;
}

const char* text(Msg msg)
{
    for (const Text& t : kTexts)
        if (t.msg == msg)
            return japanese() ? t.japanese : t.english;
    return "";
}

std::string format(Msg msg, ...)
{
    va_list args;
    va_start(args, msg);
    std::string result = vformat(text(msg), args);
    va_end(args);
    return result;
}

void complain(Msg msg, ...)
{
    va_list args;
    va_start(args, msg);
    std::string line = vformat(text(msg), args);
    va_end(args);
    // The trace on stdout comes first where both go to one terminal.
    std::fflush(stdout);
    std::fprintf(stderr, "orvelin: %s\n", line.c_str());
}
