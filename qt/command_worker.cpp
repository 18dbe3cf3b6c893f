#include "qt/command_worker.h"

#include "orvelin/bus.h"
#include "settings/device_path.h"
#include "link/registers.h"
#include "link/serial.h"
#include "ops/selector_choices.h"
#include "ops/servo_operations.h"
#include "orvelin/reads.h"
#include "settings/settings.h"
#include "link/term.h"
#include "link/upload.h"

#include <QThread>

#include <climits>
#include <cstdlib>

namespace {

// The upload's progress hook is a plain function; the worker it reports to.
CommandWorker* progressTarget = nullptr;

int chunks(long bytes)
{
    return static_cast<int>((bytes + kChunkBytes - 1) / kChunkBytes);
}

bool onUploadProgress(long bytesSent, long bytesTotal)
{
    return progressTarget == nullptr || progressTarget->uploadGoesOn(chunks(bytesSent), chunks(bytesTotal));
}

// atoi's reading of the baud text, held at int's limits rather than undefined.
int baudFromText(const QByteArray& text)
{
    const long value = std::strtol(text.constData(), nullptr, 10);
    return static_cast<int>(value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : value);
}

}  // namespace

StartupPort CommandWorker::start()
{
    set_port_failure(PortFailure::Report);
    progressTarget = this;
    set_upload_progress(onUploadProgress);
    trace_.install();
    // The port settings in force for the interpreter, and the same as values
    // for the chart and the scan; a device path of any length stays whole.
    readINI();
    ConfiguredPort configured = readConfiguredPort();
    busPort_ = configured.port;
    busBaud_ = configured.baud;
    return {QString::fromStdString(configured.port), configured.baud};
}

void CommandWorker::finish()
{
    trace_.uninstall();
    set_upload_progress(nullptr);
    progressTarget = nullptr;
    QThread::currentThread()->quit();
}

void CommandWorker::runCommand(const std::function<void()>& steps)
{
    if (!stopping_)
        steps();
    emit commandFinished();
}

int CommandWorker::runLine(char* line, int id)
{
    SendID = id;
    trace_.begin();
    const int result = term(line);
    const std::string text = trace_.end();
    if (!text.empty())
        emit traced(QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())));
    return result;
}

int CommandWorker::runLine(std::string_view text, int id)
{
    return sendLine(sender(id), text);
}

LineSender CommandWorker::sender(int id)
{
    return [this, id](char* line) { return runLine(line, id); };
}

bool CommandWorker::ask(OperatorText text, OperatorText title, bool error)
{
    if (stopping_)
        return false;
    emit operatorAsked(text, title, error);
    return !stopping_;
}

void CommandWorker::reportPortFailure()
{
    ask(OperatorText::PortOpenFatal, OperatorText::PortOpenFatalTitle, true);
}

void CommandWorker::connectPort(const QByteArray& device, const QByteArray& baudText, int id)
{
    setDevicePath(device.constData());
    baudRate = baudFromText(baudText);
    busPort_ = device.toStdString();
    busBaud_ = baudRate;
    serial_handle port = serial_open(comPortName, baudRate, kPortTimeoutMs);
    if (port == SERIAL_INVALID) {
        ask(OperatorText::PortTestFailed, OperatorText::PortTestFailedTitle, true);
        emit portTested(false);
        return;
    }
    serial_close(port);
    emit portTested(true);
    refresh(id);
}

void CommandWorker::sendTyped(const QByteArray& line, int id)
{
    if (portFailed(runLine(std::string_view(line.constData(), static_cast<std::size_t>(line.size())), id)))
        reportPortFailure();
}

bool CommandWorker::refresh(int id)
{
    if (portFailed(runLine(kReadAllLine, id))) {
        reportPortFailure();
        return false;
    }
    emit memoryRead(QByteArray(reinterpret_cast<const char*>(param), kRegisterBytes));
    return true;
}

void CommandWorker::writeRam(const QByteArray& line, int id)
{
    if (portFailed(runLine(std::string_view(line.constData(), static_cast<std::size_t>(line.size())), id))) {
        reportPortFailure();
        return;
    }
    refresh(id);
}

void CommandWorker::clearSettings(int id)
{
    OperationEnd end = ::clearSettings(sender(id), [this] {
        return ask(OperatorText::ClearDone, OperatorText::ClearDoneTitle, false);
    });
    if (end == OperationEnd::PortFailed)
        reportPortFailure();
    if (end == OperationEnd::Done)
        refresh(id);
}

void CommandWorker::writeFlash(const FlashColumn& staged, int id)
{
    OperationEnd end = ::writeFlash(
        sender(id), [&staged](int row) { return staged.cell(row); },
        [this] { return ask(OperatorText::ClearDone, OperatorText::ClearDoneTitle, false); });
    if (end == OperationEnd::PortFailed)
        reportPortFailure();
    if (end == OperationEnd::Done && ask(OperatorText::FlashDone, OperatorText::FlashDoneTitle, false))
        refresh(id);
}

void CommandWorker::updateFirmware(const QByteArray& path, int id)
{
    // No chunk count before the first chunk is taken: the bar shows it is busy.
    emit uploadProgress(0, 0);
    UpdateOutcome outcome = ::updateFirmware(sender(id), std::string_view(path.constData(), path.size()));
    if (outcome == UpdateOutcome::PortFailed) {
        reportPortFailure();
        return;
    }
    if (outcome != UpdateOutcome::Written) {
        ask(updateErrorText(outcome), OperatorText::UpdateErrorTitle, true);
        return;
    }
    if (ask(OperatorText::UpdateDone, OperatorText::UpdateDoneTitle, false))
        refresh(id);
}

void CommandWorker::sample(const QList<int>& rows, const QList<int>& ids, Clock::time_point since)
{
    if (stopping_)
        return;
    const double seconds = std::chrono::duration<double>(Clock::now() - since).count();
    orvelin::Bus port(busPort_, busBaud_);
    if (!port.isOpen()) {
        emit samplingFailed();
        return;
    }
    std::vector<orvelin::ServoImage> images;
    const std::vector<orvelin::Outcome> outcomes =
        orvelin::readRound(port, {ids.begin(), ids.end()}, orvelin::BlockSet::forRows({rows.begin(), rows.end()}), images);
    QList<std::optional<quint32>> values;
    QList<orvelin::Outcome> missed;
    for (std::size_t k = 0; k < outcomes.size(); ++k) {
        if (!outcomes[k].ok())
            missed.append(outcomes[k]);
        for (int row : rows)
            values.append(outcomes[k].ok() ? std::optional<quint32>(images[k].value(row)) : std::nullopt);
    }
    emit sampled(seconds, values, missed);
}

void CommandWorker::scan(const QList<int>& rates, const std::atomic<bool>& stop)
{
    orvelin::Bus port(busPort_, busBaud_);
    if (!port.isOpen()) {
        emit scanEnded(false);
        return;
    }
    orvelin::ScanCalls calls;
    calls.tried = [this](int id, std::size_t, int baud) { emit scanProbed(id, baud); };
    calls.found = [this](const orvelin::ScanFind& find) { emit scanFound(find, find.baud); };
    calls.stop = [this, &stop] { return stop || stopping_; };
    const std::vector<int> tried = rates.isEmpty() ? std::vector<int>{port.baud()} : std::vector<int>(rates.begin(), rates.end());
    orvelin::scanRates(port, tried, orvelin::everyId(), calls);
    emit scanEnded(true);
}

bool CommandWorker::uploadGoesOn(int chunksSent, int chunksTotal)
{
    emit uploadProgress(chunksSent, chunksTotal);
    return !stopping_;
}

void CommandWorker::showWire(bool shown)
{
    trace_.setWireShown(shown);
}
