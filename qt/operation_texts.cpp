#include "qt/operation_texts.h"

#include <QCoreApplication>

#include <array>
#include <string_view>

namespace {

// Where lupdate finds the texts; the compiler holds them to ops' own, so the
// translation file cannot go on translating a text ops no longer shows.
constexpr std::array kSourceTexts = {
    QT_TRANSLATE_NOOP("Operations", "Restart the ORVELIN and press OK"),
    QT_TRANSLATE_NOOP("Operations", "Settings cleared"),
    QT_TRANSLATE_NOOP("Operations", "The FLASH write is complete."),
    QT_TRANSLATE_NOOP("Operations", "Write finished"),
    QT_TRANSLATE_NOOP("Operations", "The firmware has been written.\nRestart the ORVELIN and press OK"),
    QT_TRANSLATE_NOOP("Operations", "Firmware update finished"),
    QT_TRANSLATE_NOOP("Operations", "Update error"),
    QT_TRANSLATE_NOOP("Operations", "The firmware cannot be written"),
    QT_TRANSLATE_NOOP("Operations", "The update file is not valid"),
    QT_TRANSLATE_NOOP("Operations", "No answer from the ORVELIN"),
    QT_TRANSLATE_NOOP("Operations", "The checksum is not correct"),
    QT_TRANSLATE_NOOP("Operations", "An unknown error occurred"),
    QT_TRANSLATE_NOOP("Operations", "The COM port cannot be opened"),
    QT_TRANSLATE_NOOP("Operations", "Communication error"),
    QT_TRANSLATE_NOOP("Operations", "serial_open"),
    QT_TRANSLATE_NOOP("Operations", "Error"),
};

static_assert(kSourceTexts.size() == kOperatorTexts.size(), "one source text per operator text");
static_assert(
    [] {
        for (std::size_t k = 0; k < kSourceTexts.size(); ++k)
            if (std::string_view(kSourceTexts[k]) != kOperatorTexts[k].wording.english)
                return false;
        return true;
    }(),
    "the source texts are ops' English texts, in the order of OperatorText");

}  // namespace

QString operatorText(OperatorText text)
{
    return QCoreApplication::translate("Operations", wording(text).english);
}
