#include "qt/port_selector.h"

#include "link/port_settings.h"
#include "link/serial_devices.h"

#include <QAbstractItemView>
#include <QLineEdit>

PortSelector::PortSelector(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // A device path as long as the settings in force can hold, no longer.
    lineEdit()->setMaxLength(static_cast<int>(kComPortNameSize) - 1);
    // The selector is narrow and by-id names are long: the list drops down
    // as wide as its longest name (showPopup), unshortened.
    view()->setTextElideMode(Qt::ElideNone);
}

void PortSelector::setConfiguredPort(const QString& port)
{
    configured_ = port;
    listDevices();
    setCurrentIndex(port.isEmpty() ? -1 : findText(port, Qt::MatchExactly | Qt::MatchCaseSensitive));
    setEditText(port);
}

void PortSelector::showPopup()
{
    const QString typed = currentText();
    listDevices();
    const int index = findText(typed, Qt::MatchExactly | Qt::MatchCaseSensitive);
    setCurrentIndex(index);
    setEditText(typed);
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 24);
    QComboBox::showPopup();
}

void PortSelector::listDevices()
{
    clear();
    for (const SerialDevice& device : listSerialDevices()) {
        addItem(QString::fromLocal8Bit(device.path));
        if (!device.target.empty())
            setItemData(count() - 1, QString::fromLocal8Bit(device.target), Qt::ToolTipRole);
    }
    if (!configured_.isEmpty() && findText(configured_, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
        addItem(configured_);
}
