#include "tests/qt/window_fixture.h"

#include "qt/language.h"
#include "qt/trace_pane.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

namespace {

constexpr int kIdleMs = 20000;
constexpr int kPacketWaitMs = 2000;
constexpr int kLookMs = 10;

}  // namespace

ModalAnswerer::ModalAnswerer(std::function<QString()> traceText) : traceText_(std::move(traceText))
{
    connect(&timer_, &QTimer::timeout, this, &ModalAnswerer::look);
    timer_.start(kLookMs);
}

void ModalAnswerer::look()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == answered_)
        return;
    answered_ = modal;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        static const QRegularExpression write(QStringLiteral("\\b[0-9a-f]{6} [0-9a-f]+ [124]$"),
                                              QRegularExpression::MultilineOption);
        QStringList writes;
        for (auto match = write.globalMatch(traceText_()); match.hasNext();)
            writes << match.next().captured();
        boxes_.append({box->windowTitle(), box->text(), box->icon(), writes});
        box->button(QMessageBox::Ok)->click();
        return;
    }
    if (handlers_.empty()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        return;
    }
    auto handler = std::move(handlers_.front());
    handlers_.pop_front();
    handler(modal);
}

namespace {

// False when the dialog would not take the path.
bool chooseFile(QFileDialog* dialog, const std::string& path)
{
    const QFileInfo file(QString::fromStdString(path));
    dialog->setDirectory(file.absolutePath());
    // selectFile leaves alone a name field that has the focus, as it has once
    // the dialog is active; and the dialog reads its folders on a thread of
    // its own. The name is given again until the dialog holds it.
    auto holdsIt = [&] {
        if (dialog->selectedFiles().value(0) == file.absoluteFilePath())
            return true;
        if (QWidget* focused = dialog->focusWidget())
            focused->clearFocus();
        dialog->selectFile(file.fileName());
        return false;
    };
    if (!QTest::qWaitFor(holdsIt, kIdleMs)) {
        dialog->reject();
        return false;
    }
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog keeps its override protected
    return true;
}

}  // namespace

WindowFixture::WindowFixture(bool japanese, const std::string& ini, std::vector<int> servoIds)
    : servo(std::move(servoIds))
{
    char folder[] = "/tmp/orvelin-qt-test.XXXXXX";
    if (mkdtemp(folder) != nullptr)
        folder_ = folder;
    servo.setMemory(0x3F, 0x20, {0x68, 0x07});
    servo.setMemory(0x3F, 0x2C, {0x45, 0x46, 0x04, 0x00});
    servo.start();
    writeFile("servoconf.ini", ini.empty() ? "[SERIAL]\nPORT=" + servo.devicePath() + "\nBAUDRATE=115200\n" : ini);
    setenv("ORVELIN_CONFIG", path("servoconf.ini").c_str(), 1);
    useLanguage(QLocale(japanese ? QLocale::Japanese : QLocale::English));
    operatorAnswers = std::make_unique<ModalAnswerer>([this] { return find<TracePane>("tracePane")->toPlainText(); });
    window = std::make_unique<MainWindow>();
    window->show();
}

WindowFixture::~WindowFixture()
{
    window->close();
    window.reset();
    servo.stop();
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
}

std::string WindowFixture::readFile(const std::string& name) const
{
    std::ifstream in(path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WindowFixture::writeFile(const std::string& name, const std::string& bytes) const
{
    std::ofstream(path(name), std::ios::binary) << bytes;
}

QAction* WindowFixture::action(const char* name) const
{
    return find<QAction>(name);
}

void WindowFixture::click(const char* name) const
{
    if (auto* button = find<QAbstractButton>(name))
        QTest::mouseClick(button, Qt::LeftButton);
}

bool WindowFixture::waitIdle() const
{
    return QTest::qWaitFor([this] { return !window->busy(); }, kIdleMs);
}

bool WindowFixture::connectServo()
{
    click("connectButton");
    return waitIdle() && !find<QPushButton>("connectButton")->isEnabled();
}

void WindowFixture::chooseInFileDialog(const std::string& path, QStringList& seen)
{
    operatorAnswers->then([path, &seen](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog == nullptr)
            return;
        seen = QStringList{dialog->windowTitle(), dialog->selectedFiles().value(0)} + dialog->nameFilters();
        chooseFile(dialog, path);
    });
}

std::vector<std::string> WindowFixture::packets(std::size_t atLeast)
{
    // Fewer than atLeast after the wait shows in the comparison that follows.
    static_cast<void>(QTest::qWaitFor([&] { return servo.packets().size() >= atLeast; }, kPacketWaitMs));
    std::vector<std::string> texts;
    for (const auto& packet : servo.packets())
        texts.push_back(hexBytes(packet));
    return texts;
}

std::vector<std::string> withReadAll(std::vector<std::string> before)
{
    for (const char* address : {"00", "10", "20", "30", "40", "50"}) {
        std::string packet = std::string("BF 30 ") + address;
        for (int k = 0; k < 16; ++k)
            packet += " 00";
        before.push_back(packet);
    }
    return before;
}
