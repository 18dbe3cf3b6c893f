// What every Qt window test stands on: a virtual servo of its own on a
// pseudo-terminal, a folder of its own with the servoconf.ini that names it,
// the real window over the real POSIX link, and an operator who answers the
// window's boxes and dialogs.
#pragma once

#include "qt/main_window.h"
#include "tools/virtual_servo.h"

#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QWidget;

struct BoxSeen {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    // The RAM and FLASH writes the window had traced when the box came
    // ("000009 1 1"): what it had sent, however late the servo reads.
    QStringList writesBefore;
};

// Finds the modal widget the window opened, as an operator sees it: message
// boxes are recorded and answered with OK; any other dialog goes to the next
// handler the test queued, and one no handler was queued for is cancelled,
// so that a test fails rather than waits for ever.
class ModalAnswerer : public QObject {
public:
    explicit ModalAnswerer(std::function<QString()> traceText);
    void then(std::function<void(QWidget*)> handler) { handlers_.push_back(std::move(handler)); }
    const QList<BoxSeen>& boxes() const { return boxes_; }
    bool handlersLeft() const { return !handlers_.empty(); }

private:
    void look();

    QTimer timer_;
    QPointer<QWidget> answered_;
    QList<BoxSeen> boxes_;
    std::deque<std::function<void(QWidget*)>> handlers_;
    std::function<QString()> traceText_;
};

class WindowFixture {
public:
    // Japanese or English window; ini: the servoconf.ini text, or empty for
    // one that names the servo's terminal at 115200 baud; servoIds: the
    // servos on the bus.
    explicit WindowFixture(bool japanese, const std::string& ini = {}, std::vector<int> servoIds = {0x3F});
    ~WindowFixture();

    std::string path(const std::string& name) const { return folder_ + "/" + name; }
    std::string readFile(const std::string& name) const;
    void writeFile(const std::string& name, const std::string& bytes) const;

    template <typename T>
    T* find(const char* name) const
    {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    QAction* action(const char* name) const;
    void click(const char* name) const;
    // The command queued last has ended (generous bound).
    bool waitIdle() const;
    // Connect against the servo, its first read-all ended.
    bool connectServo();
    // The next file dialog gets path; its title, proposed file and filters
    // go to seen.
    void chooseInFileDialog(const std::string& path, QStringList& seen);

    // Packets the servo received, as "BF 61 09 01", after waiting for at
    // least atLeast of them (a packet without reply is logged late).
    std::vector<std::string> packets(std::size_t atLeast = 0);
    void clearPackets() { servo.clearPackets(); }

    VirtualServo servo;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<ModalAnswerer> operatorAnswers;

private:
    std::string folder_;
};

// The packets before, then the six read packets of a read-all with ID 3F.
std::vector<std::string> withReadAll(std::vector<std::string> before = {});
