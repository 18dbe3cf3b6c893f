// Renders the window connected to a virtual servo, in Japanese and in
// English side by side, into one PNG: the README's picture of the Qt
// window; given a second path, the scan dialog over the window as well.
// Runs offscreen (QT_QPA_PLATFORM=offscreen), so no display or window
// manager is needed; the caption a window manager would draw is drawn above
// each window.
#include "qt/language.h"
#include "qt/main_window.h"
#include "qt/param_table.h"
#include "qt/scan_dialog.h"
#include "tools/virtual_servo.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace {

constexpr int kCaptionHeight = 28;
constexpr int kGap = 24;
constexpr int kShadow = 4;
constexpr int kConnectMs = 10000;
constexpr int kLookMs = 20;

bool waitIdle(const MainWindow& window)
{
    QElapsedTimer waited;
    waited.start();
    while (window.busy() && waited.elapsed() < kConnectMs) {
        QEventLoop loop;
        QTimer::singleShot(kLookMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return !window.busy();
}

// The window as a window manager frames it: the caption above the client area.
QImage framed(const QImage& window, const QString& caption, const QIcon& icon)
{
    QImage image(window.width(), window.height() + kCaptionHeight, QImage::Format_ARGB32);
    image.fill(QColor(0x30, 0x5a, 0x9a));
    QPainter painter(&image);
    painter.drawPixmap(6, (kCaptionHeight - 16) / 2, icon.pixmap(16, 16));
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(28, 0, window.width() - 28, kCaptionHeight), Qt::AlignVCenter | Qt::AlignLeft, caption);
    painter.drawImage(0, kCaptionHeight, window);
    return image;
}

// One language's window, connected to its own servo, as an image.
QImage connectedWindow(bool japanese, const std::string& folder)
{
    VirtualServo servo({0x3F, 0x01, 0x05});
    servo.setMemory(0x3F, 0x20, {0x68, 0x07});
    servo.setMemory(0x3F, 0x2C, {0x45, 0x46, 0x04, 0x00});
    if (!servo.start())
        return {};
    const std::string ini = folder + (japanese ? "/ja.ini" : "/en.ini");
    std::ofstream(ini) << "[SERIAL]\nPORT=" << servo.devicePath() << "\nBAUDRATE=115200\n";
    setenv("ORVELIN_CONFIG", ini.c_str(), 1);
    useLanguage(QLocale(japanese ? QLocale::Japanese : QLocale::English));
    MainWindow window;
    window.show();
    window.findChild<QPushButton*>(QStringLiteral("connectButton"))->click();
    if (!waitIdle(window))
        return {};
    // The preset position and a staged FLASH value in view.
    auto* table = window.findChild<ParamTable*>(QStringLiteral("paramTable"));
    table->scrollToItem(table->item(14, 0), QAbstractItemView::PositionAtTop);
    table->stage(18, "0x07D0");
    table->selectRow(18);
    const QImage image = framed(window.grab().toImage(), window.windowTitle(), window.windowIcon());
    window.close();
    return image;
}

// The scan dialog over the window, low and to the right so that the list
// still shows, after a scan of a bus of three servos and two more that
// answer over each other.
QImage scanOverWindow(bool japanese, const std::string& folder)
{
    VirtualServo servo({0x01, 0x02, 0x05, 0x07, 0x07});
    servo.setMemory(0x05, 0x02, {0x04, 0x02});
    if (!servo.start())
        return {};
    const std::string ini = folder + (japanese ? "/ja.ini" : "/en.ini");
    std::ofstream(ini) << "[SERIAL]\nPORT=" << servo.devicePath() << "\nBAUDRATE=115200\n";
    setenv("ORVELIN_CONFIG", ini.c_str(), 1);
    useLanguage(QLocale(japanese ? QLocale::Japanese : QLocale::English));
    MainWindow window;
    window.show();
    window.findChild<QComboBox*>(QStringLiteral("idSelector"))->setCurrentIndex(1);
    window.findChild<QPushButton*>(QStringLiteral("connectButton"))->click();
    if (!waitIdle(window))
        return {};
    window.findChild<QAction*>(QStringLiteral("scanAction"))->trigger();
    auto* dialog = window.findChild<ScanDialog*>();
    dialog->findChild<QPushButton*>(QStringLiteral("scanButton"))->click();
    if (!waitIdle(window))
        return {};
    const QImage under = framed(window.grab().toImage(), window.windowTitle(), window.windowIcon());
    const QImage over = framed(dialog->grab().toImage(), dialog->windowTitle(), window.windowIcon());
    const QPoint at(under.width() / 3, under.height() / 3);
    QImage image(std::max(under.width(), at.x() + over.width() + kShadow),
                 std::max(under.height(), at.y() + over.height() + kShadow), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawImage(0, 0, under);
    // A shadow lifts the dialog off the window.
    painter.fillRect(QRect(at + QPoint(kShadow, kShadow), over.size()), QColor(0, 0, 0, 60));
    painter.drawImage(at, over);
    painter.end();
    dialog->close();
    window.close();
    return image;
}

// Two images side by side on white, into path.
bool saveSideBySide(const QImage& left, const QImage& right, const char* path)
{
    QImage both(left.width() + kGap + right.width(), std::max(left.height(), right.height()), QImage::Format_ARGB32);
    both.fill(Qt::white);
    QPainter painter(&both);
    painter.drawImage(0, 0, left);
    painter.drawImage(left.width() + kGap, 0, right);
    painter.end();
    if (!both.save(QString::fromLocal8Bit(path), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", path);
        return false;
    }
    std::printf("Wrote %s (%dx%d)\n", path, both.width(), both.height());
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s OUT.png [SCAN.png]\n", argv[0]);
        return 2;
    }
    char folder[] = "/tmp/orvelin-screenshot.XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const QImage japanese = connectedWindow(true, folder);
    const QImage english = connectedWindow(false, folder);
    QImage japaneseScan;
    QImage englishScan;
    if (argc == 3) {
        japaneseScan = scanOverWindow(true, folder);
        englishScan = scanOverWindow(false, folder);
    }
    std::remove((std::string(folder) + "/ja.ini").c_str());
    std::remove((std::string(folder) + "/en.ini").c_str());
    rmdir(folder);
    if (japanese.isNull() || english.isNull() || (argc == 3 && (japaneseScan.isNull() || englishScan.isNull()))) {
        std::fprintf(stderr, "the window did not connect to the virtual servo\n");
        return 1;
    }
    if (!saveSideBySide(japanese, english, argv[1]))
        return 1;
    if (argc == 3 && !saveSideBySide(japaneseScan, englishScan, argv[2]))
        return 1;
    return 0;
}
