// The options dialog (template 114): the port and baud rate the program
// starts with, the PORT and BAUDRATE of servoconf.ini, the file orvelin
// config writes. It reads and writes only the file; the settings in force
// and the main window's selectors stay as they are until the next start.
#pragma once

#include <QDialog>

class PortSelector;
class BaudSelector;

class OptionDialog : public QDialog {
    Q_OBJECT
public:
    explicit OptionDialog(QWidget* parent);

    // OK: both texts into the file unchanged.
    void accept() override;

private:
    PortSelector* port_;
    BaudSelector* baud_;
};
