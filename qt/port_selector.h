// The port selector of Linux and macOS: the system's serial devices (by-id
// names first) and the configured port, even where it is not among them, as
// a pseudo-terminal never is. Editable, so any device path can be typed; the
// devices are looked for again whenever the list drops down.
#pragma once

#include <QComboBox>

class PortSelector : public QComboBox {
    Q_OBJECT
public:
    explicit PortSelector(QWidget* parent);

    // Shows port as the current entry; an empty port selects nothing.
    void setConfiguredPort(const QString& port);
    void showPopup() override;

private:
    void listDevices();

    QString configured_;
};
