// The window's states and its one road to the servo: commands queued in
// order to the worker's thread, the boxes the worker asks for, and the end
// of each command.
#include "qt/main_window.h"

#include "qt/baud_selector.h"
#include "qt/command_worker.h"
#include "qt/live_chart.h"
#include "qt/operation_texts.h"
#include "qt/param_table.h"
#include "qt/port_selector.h"
#include "ops/selector_choices.h"
#include "qt/trace_pane.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), lastId_(kDefaultServoId)
{
    setWindowTitle(tr("ORVELIN Programmer Ver.1.07"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/orvelin-programmer-32.png")));
    buildTemplateArea();
    buildMenus();
    buildPanes();
    startWorker();
    applyState();
    resize(sizeHint());
    connect_->setFocus();
}

MainWindow::~MainWindow()
{
    stopWorker();
}

void MainWindow::startWorker()
{
    thread_ = new QThread(this);
    worker_ = new CommandWorker;
    worker_->moveToThread(thread_);
    connect(worker_, &CommandWorker::traced, trace_, &TracePane::appendTrace);
    connect(worker_, &CommandWorker::memoryRead, table_, &ParamTable::showMemory);
    connect(worker_, &CommandWorker::portTested, this, [this](bool opened) {
        if (opened) {
            state_ = State::Connected;
            applyState();
        }
    });
    connect(worker_, &CommandWorker::operatorAsked, this, &MainWindow::askOperator, Qt::BlockingQueuedConnection);
    connect(worker_, &CommandWorker::uploadProgress, this, &MainWindow::showUploadProgress);
    connect(worker_, &CommandWorker::commandFinished, this, &MainWindow::commandFinished);
    connect(worker_, &CommandWorker::sampled, this,
            [this](double seconds, const QList<std::optional<quint32>>& values, const QList<orvelin::Outcome>& missed) {
                sampling_ = false;
                chart_->addSample(seconds, values, missed);
            });
    connect(worker_, &CommandWorker::samplingFailed, this, [this] {
        sampling_ = false;
        chart_->stopRecording();
        askOperator(OperatorText::PortOpenFatal, OperatorText::PortOpenFatalTitle, true);
    });
    connect(chart_, &LiveChart::sampleWanted, this, &MainWindow::queueSample);
    connect(wireAction_, &QAction::toggled, this, [this](bool shown) {
        QMetaObject::invokeMethod(worker_, [worker = worker_, shown] { worker->showWire(shown); });
    });
    thread_->start();

    // servoconf.ini is read on the worker's thread, since it sets the port
    // settings in force; the selectors show what it held.
    StartupPort startup;
    QMetaObject::invokeMethod(worker_, [&startup, worker = worker_] { startup = worker->start(); },
                              Qt::BlockingQueuedConnection);
    port_->setConfiguredPort(startup.configuredPort);
    baud_->select(startup.baudRate);
}

// The queued commands are skipped and no more boxes are shown; the window's
// thread keeps answering the worker until the worker's thread has ended.
void MainWindow::stopWorker()
{
    if (worker_ == nullptr)
        return;
    closing_ = true;
    chart_->stopRecording();
    worker_->stop();
    QEventLoop untilFinished;
    connect(thread_, &QThread::finished, &untilFinished, &QEventLoop::quit);
    QMetaObject::invokeMethod(worker_, [worker = worker_] { worker->finish(); });
    if (!thread_->isFinished())
        untilFinished.exec();
    thread_->wait();
    delete worker_;
    worker_ = nullptr;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    hide();
    stopWorker();
    event->accept();
}

// The enabled states of the three states; while a command runs, the
// controls that would start another are disabled as well.
void MainWindow::applyState()
{
    const bool connected = state_ == State::Connected;
    const bool idle = !busy();
    connect_->setEnabled(!connected && idle);
    port_->setEnabled(!connected);
    baud_->setEnabled(!connected);
    for (QPushButton* control : {disconnect_, clear_, refresh_, write_})
        control->setEnabled(connected && idle);
    send_->setEnabled(state_ != State::Start && idle);
    updateAction_->setEnabled(connected && idle);
    for (QAction* item : {readRamAction_, writeFlashAction_, clearSettingsAction_, scanAction_})
        item->setEnabled(idle);
    status_->setText(idle ? QString() : tr("Talking to the servo..."));
}

// The ID selector's entry addresses every packet of the command; a text
// without a hexadecimal number keeps the ID used last.
int MainWindow::servoId()
{
    bool ok = false;
    const int id = id_->currentText().left(3).toInt(&ok, 16);
    if (ok)
        lastId_ = id;
    return lastId_;
}

void MainWindow::queueCommand(std::function<void(CommandWorker&)> steps)
{
    ++pending_;
    applyState();
    QMetaObject::invokeMethod(
        worker_, [worker = worker_, steps = std::move(steps)] { worker->runCommand([&] { steps(*worker); }); },
        Qt::QueuedConnection);
}

void MainWindow::askOperator(OperatorText text, OperatorText title, bool error)
{
    if (closing_)
        return;
    QMessageBox box(error ? QMessageBox::Critical : QMessageBox::NoIcon, operatorText(title), operatorText(text),
                    QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::commandFinished()
{
    --pending_;
    progress_->hide();
    applyState();
}

void MainWindow::showUploadProgress(int chunksSent, int chunksTotal)
{
    progress_->setMaximum(chunksTotal);
    progress_->setValue(chunksSent);
    progress_->show();
}

// A sample waits for no command: while one runs, or the last sample is still
// out, this interval's is left out. No IDs: the ID selector's.
void MainWindow::queueSample(const QList<int>& rows, const QList<int>& ids, std::chrono::steady_clock::time_point since)
{
    if (busy() || sampling_ || closing_)
        return;
    sampling_ = true;
    const QList<int> servos = ids.isEmpty() ? QList<int>{servoId()} : ids;
    QMetaObject::invokeMethod(worker_, [worker = worker_, rows, servos, since] { worker->sample(rows, servos, since); });
}
