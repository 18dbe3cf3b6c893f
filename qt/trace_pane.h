// The diagnostic trace of every command the window runs, which the Win32
// window never shows, with the wire's packet lines when they are asked for.
#pragma once

#include <QPlainTextEdit>

class TracePane : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TracePane(QWidget* parent);

    // Text as the link wrote it: a line may end in a later piece.
    void appendTrace(const QString& text);
};
