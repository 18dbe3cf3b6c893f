#include "messages.h"

#include "operator_texts.h"

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
    {Msg::UnknownOption, "unknown option '%s'", "'%s' というオプションはありません"},
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
    {Msg::PortOpenFailed,
     "serial_open: cannot open %s at %d baud. Check the device name ('orvelin ports'), your right to use it "
     "(group dialout) and that no other program holds it.",
     "serial_open: COMポートが開けません (%s, %d bps)。デバイス名 ('orvelin ports')、使用権限 (dialout "
     "グループ)、他のプログラムが使用中でないかを確認してください。"},
    {Msg::LatencyHint,
     "note: %s has a USB latency timer of %d ms, which every reply waits for; 1 ms is faster: echo 1 | sudo tee %s",
     "注意: %s の USB レイテンシタイマーは %d ms で、応答のたびにこの時間を待ちます。1 ms "
     "にすると速くなります: echo 1 | sudo tee %s"},

    {Msg::LineTooLong, "command line longer than %d characters", "コマンド行が %d 文字を超えています"},
    {Msg::LineFailed, "'%s' failed: %s", "'%s' が失敗しました: %s"},

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
    {Msg::TableHeader, "Name     Address  RAM", "名前     アドレス RAM"},
    {Msg::ShortReply, "only %ld of the 96 register bytes came; the missing ones show as 0",
     "レジスタ 96 バイトのうち %ld バイトしか届きませんでした。届かなかった値は 0 と表示します"},

    {Msg::UnknownRegister, "'%s' is not a register name or address; 'orvelin table' lists them",
     "'%s' はレジスタ名でもアドレスでもありません。'orvelin table' で一覧を表示します"},
    {Msg::NoRegisterAt, "no register starts at address %s; 'orvelin table' lists the addresses",
     "アドレス %s から始まるレジスタはありません。'orvelin table' でアドレスの一覧を表示します"},
    {Msg::BadHexValue, "'%s' is not a hexadecimal value (such as 3E8 or 0x3E8)",
     "'%s' は16進数の値ではありません (例: 3E8 または 0x3E8)"},
    {Msg::ValueOutOfRange, "'%s' is out of range: register values go from 0 to 0x0FFFFFFF",
     "'%s' は範囲外です。レジスタの値は 0〜0x0FFFFFFF です"},
    {Msg::ValueTooWide, "%s is too wide for %s: %d bytes of 7 bits hold 0 to 0x%X",
     "%s は %s には大きすぎます: 7ビット×%dバイトに入るのは 0〜0x%X です"},
    {Msg::ReadBackDiffers, "note: %s was written with %s but reads back %s",
     "注意: %s に %s を書き込みましたが、読み出した値は %s です"},

    {Msg::ClearDoneTitle, wording(OperatorText::ClearDoneTitle).english, japaneseOf(OperatorText::ClearDoneTitle)},
    {Msg::RestartPrompt, "Restart the ORVELIN and press Enter.", "ORVELINを再起動してEnterを押してください"},
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
    {Msg::FlashBadIndex, "%s, line %d: '%s' is not a row number; nothing was sent",
     "%s の %d 行目: '%s' は行番号ではありません。何も送信していません"},
    {Msg::FlashMissingText, "%s, line %d: a row number without a value; nothing was sent",
     "%s の %d 行目: 行番号の後に値がありません。何も送信していません"},
    {Msg::FlashTextUnusable,
     "%s, line %d: a value longer than 255 characters or holding a NUL byte; nothing was sent",
     "%s の %d 行目: 値が255文字を超えるか NUL を含みます。何も送信していません"},
    {Msg::FlashRowIgnored, "%s, line %d: row %d is not one of the 63 registers (0 to 62); ignored",
     "%s の %d 行目: 行 %d は 63 個のレジスタ (0〜62) にありません。無視します"},
    {Msg::FlashShortCell, "row %d (%s): '%s' has fewer than 3 characters; nothing is sent for it",
     "行 %d (%s): '%s' は3文字未満のため送信しません"},
    {Msg::FlashNotHex, "row %d (%s): '%s' is not a plain hexadecimal value; check the file",
     "行 %d (%s): '%s' は16進数の値ではありません。ファイルを確認してください"},
    {Msg::FlashTooWide, "row %d (%s): %s is wider than the register; only its low bits will be written",
     "行 %d (%s): %s はレジスタより大きいため、下位ビットだけが書き込まれます"},

    {Msg::UpdateFileNot7Bit,
     "%s: byte 0x%02X at offset %ld is 0x80 or above; an update file holds 7-bit bytes only. Nothing was sent.",
     "%s: バイト 0x%02X (オフセット %ld) が 0x80 以上です。アップデートファイルは7ビットのバイトだけを含みます。"
     "何も送信していません。"},
    {Msg::UpdateFileTooLong, "%s is %ld bytes; at most %ld fit the ORVELIN. Nothing was sent.",
     "%s は %ld バイトです。ORVELINに書き込めるのは %ld バイトまでです。何も送信していません。"},
    {Msg::UpdatePathTooLong, "the update file's path is longer than %d characters; move it or link it to a shorter path",
     "アップデートファイルのパスが %d 文字を超えています。短いパスに移すかリンクを作ってください"},
    {Msg::ProgressChunks, "%ld/%ld chunks", "%ld/%ld チャンク"},
    {Msg::ProgressLeft, "%s left", "残り %s"},

    {Msg::BadIdList, "'%s' is not an ID list such as 0-3F or 1,2,5 (hexadecimal, 0 to 3F)",
     "'%s' は 0-3F や 1,2,5 のような ID の指定ではありません (16進数 0〜3F)"},
    {Msg::BadBaudList, "'%s' is not a list of baud rates such as 115200 or 57600,115200",
     "'%s' は 115200 や 57600,115200 のようなボーレートの指定ではありません"},
    {Msg::ScanNone, "no servo answered on %s", "%s で応答したサーボはありません"},
    {Msg::NeedRegister, "name at least one register to watch, such as M_POS",
     "監視するレジスタを1つ以上指定してください (例: M_POS)"},
    {Msg::BadInterval, "interval '%s' is not a number of milliseconds", "間隔 '%s' はミリ秒の数値ではありません"},
    {Msg::BadCount, "count '%s' is not a positive number", "回数 '%s' は正の数ではありません"},

    {Msg::PortsNone, "no serial devices found; plug the adapter in and look at 'dmesg'",
     "シリアルデバイスが見つかりません。アダプタを接続して 'dmesg' を確認してください"},
    {Msg::PortsLatency, "latency timer %d ms", "レイテンシタイマー %d ms"},
    {Msg::PortsLatencyHint, "set it to 1 ms for faster replies: echo 1 | sudo tee %s",
     "1 ms にすると応答が速くなります: echo 1 | sudo tee %s"},
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
