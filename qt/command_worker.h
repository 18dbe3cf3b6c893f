// The window's commands, run on a thread of their own one after another in
// the order the window queued them. Only this thread touches the link's
// globals, and only for the interpreter's commands: the port settings in
// force, SendID, param, the "b" operands, traceOut and the wire and upload
// hooks. The chart and the scan open a bus of their own on the same port. Where an operation needs the
// operator (the restart confirmation, how it ended) it asks the window and
// waits for the answer.
#pragma once

#include "orvelin/outcome.h"
#include "orvelin/scan.h"
#include "ops/command_lines.h"
#include "ops/flash_column.h"
#include "ops/operator_texts.h"
#include "qt/trace_capture.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// What servoconf.ini set at start-up, for the window's selectors.
struct StartupPort {
    QString configuredPort;  // as servoconf.ini holds it, whatever its length
    int baudRate;
};

class CommandWorker : public QObject {
    Q_OBJECT
public:
    using Clock = std::chrono::steady_clock;

    // Before any command: the link reports a port it cannot open instead of
    // ending the program, the hooks point here, servoconf.ini is read.
    StartupPort start();
    // After the last command: the hooks let go and the thread ends.
    void finish();

    // Runs one command's steps, then tells the window the command is over.
    // Skipped once stop() was called.
    void runCommand(const std::function<void()>& steps);

    // Connect: the device path and the baud text (read as atoi reads it)
    // become the settings in force; the port is tested once, and on success
    // the servo is read.
    void connectPort(const QByteArray& device, const QByteArray& baudText, int id);
    // The command field's line, nothing after it.
    void sendTyped(const QByteArray& line, int id);
    // Read-all, then the register memory goes to the window. False when the
    // port could not be opened.
    bool refresh(int id);
    // The RAM edit dialog's line, then the refresh.
    void writeRam(const QByteArray& line, int id);
    void clearSettings(int id);
    void writeFlash(const FlashColumn& staged, int id);
    void updateFirmware(const QByteArray& path, int id);

    // One chart sample: the blocks holding rows of each servo of ids, read in
    // one round through a port opened for this sample alone; not a command
    // of the operator's, so it neither traces into the pane nor ends a
    // command. A servo whose reply was not whole is missed, never sampled.
    void sample(const QList<int>& rows, const QList<int>& ids, Clock::time_point since);
    // Tools → Scan: every ID probed at each of rates (none: the rate in
    // force) on the port in force, each probe and each answer told as they
    // come; the rate in force is set back after. stop ends it between probes.
    void scan(const QList<int>& rates, const std::atomic<bool>& stop);
    void showWire(bool shown);

    // From the window's thread while it closes: nothing more is asked of the
    // operator, queued commands are skipped and an upload stops after its
    // current chunk.
    void stop() { stopping_ = true; }
    // After every accepted chunk of an upload: shows it, and says whether to go on.
    bool uploadGoesOn(int chunksSent, int chunksTotal);

signals:
    void traced(const QString& text);
    void memoryRead(const QByteArray& memory);
    void portTested(bool opened);
    // Connected blocking: the worker waits while the window shows the box.
    void operatorAsked(OperatorText text, OperatorText title, bool error);
    void uploadProgress(int chunksSent, int chunksTotal);
    // One value per servo and register, in their order, none for a servo
    // whose reply was not whole; missed says why for each such servo.
    void sampled(double seconds, const QList<std::optional<quint32>>& values, const QList<orvelin::Outcome>& missed);
    void samplingFailed();
    void scanProbed(int id, int baud);
    void scanFound(const orvelin::ScanFind& find, int baud);
    void scanEnded(bool portOpened);
    void commandFinished();

private:
    int runLine(char* line, int id);
    int runLine(std::string_view text, int id);
    LineSender sender(int id);
    // Shows a box and waits for OK; false when the window is closing.
    bool ask(OperatorText text, OperatorText title, bool error);
    void reportPortFailure();

    TraceCapture trace_;
    std::atomic<bool> stopping_{false};
    // The port and rate in force, for the bus the chart and the scan open.
    std::string busPort_;
    int busBaud_ = 0;
};
