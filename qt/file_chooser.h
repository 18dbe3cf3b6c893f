// The window's file dialogs, the platform's own. They share one remembered
// path, as the Win32 window's fileName is shared: each proposes the file
// chosen last in any of them.
#pragma once

#include <QString>

class QWidget;

class FileChooser {
public:
    // The chosen path, or an empty text when the operator cancelled.
    QString open(QWidget* parent, const QString& title, const QString& filters, const QString& suffix);
    // Asks before replacing an existing file.
    QString save(QWidget* parent, const QString& title, const QString& filters, const QString& suffix);

private:
    QString run(QWidget* parent, const QString& title, const QString& filters, const QString& suffix, bool saving);

    QString last_;
};
