// The RAM and FLASH value edit dialogs (templates 108 and 113): the selected
// register's name and a value field that opens on its RAM value without "0x".
// What OK does with the typed text is the window's: the RAM write or the
// staged FLASH cell.
#pragma once

#include <QByteArray>
#include <QDialog>

class QLineEdit;

class ValueEditDialog : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Ram, Flash };

    ValueEditDialog(Kind kind, const QString& name, const QString& value, QWidget* parent);

    // The typed text in the system's encoding, at most 1023 bytes as the
    // Win32 dialogs read it.
    QByteArray typedText() const;

private:
    QLineEdit* value_;
};
