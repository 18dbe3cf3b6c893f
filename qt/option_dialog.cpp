#include "qt/option_dialog.h"

#include "qt/baud_selector.h"
#include "qt/dialog_units.h"
#include "qt/port_selector.h"
#include "settings/settings.h"
#include "ui/resources/template_places.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <cstdlib>

OptionDialog::OptionDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Options"));
    setObjectName(QStringLiteral("optionDialog"));
    const DialogUnits units(font());
    setFixedSize(units.size(OPTION_SIZE));

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setGeometry(units.rect(OPTION_OK_RECT));
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setGeometry(units.rect(OPTION_CANCEL_RECT));
    auto* portLabel = new QLabel(tr("Serial port"), this);
    portLabel->setAlignment(Qt::AlignCenter);
    portLabel->setGeometry(units.rect(OPTION_PORT_LABEL_RECT));
    fitCaption(portLabel, portLabel->text(), 0);
    port_ = new PortSelector(this);
    port_->setObjectName(QStringLiteral("portBox"));
    port_->setGeometry(units.dropDown(OPTION_PORT_RECT));
    auto* baudLabel = new QLabel(tr("Bits/s"), this);
    baudLabel->setAlignment(Qt::AlignCenter);
    baudLabel->setGeometry(units.rect(OPTION_BAUD_LABEL_RECT));
    fitCaption(baudLabel, baudLabel->text(), 0);
    baud_ = new BaudSelector(this);
    baud_->setObjectName(QStringLiteral("baudBox"));
    baud_->setGeometry(units.dropDown(OPTION_BAUD_RECT));
    auto* heading = new QLabel(tr("At start-up"), this);
    heading->setAlignment(Qt::AlignCenter);
    heading->setGeometry(units.rect(OPTION_HEADING_RECT));
    fitCaption(heading, heading->text(), 0);

    setTabOrder(ok, cancel);
    setTabOrder(cancel, port_);
    setTabOrder(port_, baud_);
    connect(ok, &QPushButton::clicked, this, &OptionDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // The file as it is now, not the port of the current connection.
    const StartupSettings stored = readStartupSettings();
    port_->setConfiguredPort(QString::fromLocal8Bit(stored.port));
    baud_->select(std::atoi(stored.baud.c_str()));
}

void OptionDialog::accept()
{
    if (!writeStartupSettings(port_->currentText().toLocal8Bit().toStdString(),
                              baud_->currentText().toLocal8Bit().toStdString())) {
        QMessageBox::critical(this, windowTitle(),
                              tr("The settings cannot be written to %1.").arg(QString::fromLocal8Bit(inifilename)));
        return;
    }
    QDialog::accept();
}
