#include "qt/trace_pane.h"

#include <QFontDatabase>
#include <QScrollBar>
#include <QTextCursor>

namespace {

// A long session keeps its latest lines only.
constexpr int kLinesKept = 20000;

}  // namespace

TracePane::TracePane(QWidget* parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setMaximumBlockCount(kLinesKept);
    // The trace lines up its hexadecimal columns.
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

void TracePane::appendTrace(const QString& text)
{
    QScrollBar* bar = verticalScrollBar();
    const bool following = bar->value() == bar->maximum();
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
    if (following)
        bar->setValue(bar->maximum());
}
