// What the buttons, the menus and the list start: each operation is queued
// to the worker with the ID selector's entry and copies of what it needs.
#include "qt/baud_selector.h"
#include "qt/command_worker.h"
#include "qt/edit_dialogs.h"
#include "ops/flash_cells.h"
#include "qt/main_window.h"
#include "qt/option_dialog.h"
#include "qt/param_table.h"
#include "qt/port_selector.h"
#include "qt/scan_dialog.h"
#include "link/registers.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>

#include <cstdlib>

namespace {

// The edit dialogs open at the top left of the window's client area, as the
// Win32 templates place them.
void placeOnClientOrigin(QDialog& dialog, const QWidget* client)
{
    dialog.move(client->mapToGlobal(QPoint(0, 0)));
}

}  // namespace

void MainWindow::connectPort()
{
    const QByteArray device = QFile::encodeName(port_->currentText());
    const QByteArray baud = baud_->currentText().toLatin1();
    const int id = servoId();
    queueCommand([device, baud, id](CommandWorker& worker) { worker.connectPort(device, baud, id); });
}

// No port is touched: the list keeps its contents and the settings of the
// last Connect stay in force.
void MainWindow::disconnectPort()
{
    state_ = State::Disconnected;
    applyState();
}

void MainWindow::sendTyped()
{
    const QByteArray line = command_->text().toLocal8Bit();
    command_->clear();
    const int id = servoId();
    queueCommand([line, id](CommandWorker& worker) { worker.sendTyped(line, id); });
}

void MainWindow::refresh()
{
    const int id = servoId();
    queueCommand([id](CommandWorker& worker) { worker.refresh(id); });
}

void MainWindow::clearSettings()
{
    const int id = servoId();
    queueCommand([id](CommandWorker& worker) { worker.clearSettings(id); });
}

void MainWindow::writeFlash()
{
    const FlashColumn staged = table_->staged();
    const int id = servoId();
    queueCommand([staged, id](CommandWorker& worker) { worker.writeFlash(staged, id); });
}

void MainWindow::updateFirmware()
{
    const QString path =
        files_.open(this, tr("Open firmware file"), tr("Firmware files (*.upd)") + QStringLiteral(";;") + tr("All files (*)"),
                    QStringLiteral("upd"));
    if (path.isEmpty())
        return;
    const QByteArray file = QFile::encodeName(path);
    const int id = servoId();
    queueCommand([file, id](CommandWorker& worker) { worker.updateFirmware(file, id); });
}

void MainWindow::editRam()
{
    // A double-click while a command runs would start another.
    if (busy())
        return;
    const int row = table_->selectedRow();
    if (row < 0)
        return;
    ValueEditDialog dialog(ValueEditDialog::Kind::Ram, QString::fromLatin1(paramtbl[static_cast<std::size_t>(row)].name),
                           table_->ramText(row).mid(kValuePrefix), this);
    placeOnClientOrigin(dialog, centralWidget());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::string line = ramEditLine(row, dialog.typedText().toStdString());
    const QByteArray typedLine(line.data(), static_cast<qsizetype>(line.size()));
    const int id = servoId();
    queueCommand([typedLine, id](CommandWorker& worker) { worker.writeRam(typedLine, id); });
}

void MainWindow::editFlash()
{
    const int row = table_->selectedRow();
    if (row < 0)
        return;
    // Both dialogs open on the RAM value, not on the staged one.
    ValueEditDialog dialog(ValueEditDialog::Kind::Flash,
                           QString::fromLatin1(paramtbl[static_cast<std::size_t>(row)].name),
                           table_->ramText(row).mid(kValuePrefix), this);
    placeOnClientOrigin(dialog, centralWidget());
    if (dialog.exec() != QDialog::Accepted)
        return;
    table_->stage(row, flashEditText(dialog.typedText().constData(), row));
}

void MainWindow::openOptions()
{
    OptionDialog dialog(this);
    dialog.move(centralWidget()->mapToGlobal(QPoint(0, 0)));
    dialog.exec();
}

// The scan is a command like the others: the window's controls wait for it,
// and the dialog, opened without blocking, shows it as it goes.
void MainWindow::openScan()
{
    auto* dialog = new ScanDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(worker_, &CommandWorker::scanProbed, dialog, &ScanDialog::showProbe);
    connect(worker_, &CommandWorker::scanFound, dialog, &ScanDialog::addFind);
    connect(worker_, &CommandWorker::scanEnded, dialog, &ScanDialog::finish);
    connect(dialog, &ScanDialog::scanWanted, this, [this, stop = dialog->stopFlag()](const QList<int>& rates) {
        queueCommand([rates, stop](CommandWorker& worker) { worker.scan(rates, *stop); });
    });
    connect(dialog, &ScanDialog::servoChosen, this, &MainWindow::useScannedServo);
    dialog->open();
}

// The selectors only: the rate takes effect with the next Connect.
void MainWindow::useScannedServo(int id, int baud)
{
    id_->setCurrentIndex(id);
    if (std::atoi(baud_->currentText().toLatin1().constData()) != baud)
        baud_->select(baud);
}
