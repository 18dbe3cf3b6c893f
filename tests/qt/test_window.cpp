// The main window: its captions, menus, tab order and three states, the list
// before and after Connect, the command field with the ID selector, a port
// that cannot be opened, and the worker thread that keeps the window alive.
#include "qt/param_table.h"
#include "tests/qt/window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

namespace {

enum State { Start, Connected, Disconnected };

// Enabled in the start, connected and disconnected states.
constexpr std::pair<const char*, const char*> kStates[] = {
    {"connectButton", "101"}, {"portSelector", "101"},  {"baudSelector", "101"},   {"disconnectButton", "010"},
    {"clearButton", "010"},   {"refreshButton", "010"}, {"writeButton", "010"},    {"sendButton", "011"},
    {"updateAction", "010"},  {"idSelector", "111"},    {"commandField", "111"},   {"paramTable", "111"},
    {"exitButton", "111"},    {"openAction", "111"},    {"saveAction", "111"},     {"readRamAction", "111"},
    {"writeFlashAction", "111"}, {"clearSettingsAction", "111"}, {"optionsAction", "111"}, {"flashInputAction", "111"},
};

void expectState(const WindowFixture& f, State state)
{
    for (const auto& [name, states] : kStates) {
        QWidget* widget = f.find<QWidget>(name);
        const bool enabled = widget != nullptr ? widget->isEnabled() : f.action(name)->isEnabled();
        QVERIFY2(enabled == (states[state] == '1'), name);
    }
}

QStringList menuTexts(QMenuBar* bar)
{
    QStringList texts;
    for (QAction* menu : bar->actions()) {
        texts << menu->text();
        for (QAction* item : menu->menu()->actions())
            if (!item->isSeparator())
                texts << item->text();
    }
    return texts;
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void startConnectDisconnect_data();
    void startConnectDisconnect();
    void portThatCannotBeOpened();
    void aLongDevicePathIsKeptWhole();
    void workerKeepsTheWindowResponsive();
};

void WindowTest::startConnectDisconnect_data()
{
    QTest::addColumn<bool>("japanese");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("menus");
    QTest::addColumn<QString>("connect");
    QTest::newRow("ja") << true << QStringLiteral("ORVELINプログラマ Ver.1.07")
                        << QStringList{"ファイル(&F)", "開く(&O)", "保存(&S)", "終了(&X)", "編集(&E)",
                                       "RAMから取り込み", "ファーム書込み", "設定クリア", "ツール(&T)",
                                       "オプション(&O)", "ファームアップデート"}
                        << QStringLiteral("接続");
    QTest::newRow("en") << false << QStringLiteral("ORVELIN Programmer Ver.1.07")
                        << QStringList{"&File", "&Open", "&Save", "E&xit", "&Edit", "Read from RAM", "Write FLASH",
                                       "Clear settings", "&Tools", "&Options", "Firmware update"}
                        << QStringLiteral("Connect");
}

void WindowTest::startConnectDisconnect()
{
    QFETCH(bool, japanese);
    QFETCH(QString, caption);
    QFETCH(QStringList, menus);
    QFETCH(QString, connect);
    WindowFixture f(japanese);
    QCOMPARE(f.window->windowTitle(), caption);
    QCOMPARE(menuTexts(f.window->menuBar()).mid(0, menus.size()), menus);
    QCOMPARE(f.find<QPushButton>("connectButton")->text(), connect);
    expectState(f, Start);

    // Template order is the tab order.
    const QStringList order{"connectButton", "idSelector", "commandField", "sendButton",
                            "paramTable",    "clearButton", "refreshButton", "writeButton",
                            "exitButton",    "disconnectButton", "portSelector", "baudSelector"};
    QStringList chain;
    QWidget* widget = f.find<QWidget>("connectButton");
    for (int k = 0; k < 200 && chain.size() < order.size(); ++k, widget = widget->nextInFocusChain())
        if (order.contains(widget->objectName()) && !chain.contains(widget->objectName()))
            chain << widget->objectName();
    QCOMPARE(chain, order);

    QCOMPARE(f.find<QComboBox>("portSelector")->currentText(), QString::fromStdString(f.servo.devicePath()));
    QCOMPARE(f.find<QComboBox>("baudSelector")->currentText(), QStringLiteral("115200"));
    QCOMPARE(f.find<QComboBox>("idSelector")->currentText(), QStringLiteral("3F"));
    QCOMPARE(f.find<QComboBox>("idSelector")->count(), 64);

    auto* table = f.find<ParamTable>("paramTable");
    QCOMPARE(table->rowCount(), 63);
    QCOMPARE(table->columnCount(), 4);
    QCOMPARE(table->selectionMode(), QAbstractItemView::ExtendedSelection);
    auto cells = [table](int row) {
        return QStringList{table->item(row, 0)->text(), table->item(row, 1)->text(), table->item(row, 2)->text(),
                           table->item(row, 3)->text()};
    };
    QCOMPARE(cells(0), (QStringList{"SYS_PN", "0x00", "0x0000", ""}));
    QCOMPARE(cells(2), (QStringList{"SYS_UID", "0x04", "0x00000000", ""}));
    QCOMPARE(cells(62), (QStringList{"BST_RA7", "0x5F", "0x00", ""}));
    QCOMPARE(cells(18), (QStringList{"M_POS", "0x20", "0x0000", ""}));

    QVERIFY(f.connectServo());
    expectState(f, Connected);
    QCOMPARE(f.packets(6), withReadAll());
    QCOMPARE(table->ramText(18), QStringLiteral("0x03E8"));
    QCOMPARE(table->ramText(24), QStringLiteral("0x00012345"));
    QVERIFY(f.operatorAnswers->boxes().isEmpty());

    f.click("disconnectButton");
    expectState(f, Disconnected);
    QCOMPARE(table->ramText(18), QStringLiteral("0x03E8"));

    // Send stays, with the ID selector's entry; Enter sends nothing.
    f.clearPackets();
    f.find<QComboBox>("idSelector")->setCurrentIndex(0x1A);
    auto* field = f.find<QLineEdit>("commandField");
    QTest::keyClicks(field, "w 9 1");
    QTest::keyClick(field, Qt::Key_Return);
    f.click("sendButton");
    QVERIFY(f.waitIdle());
    QVERIFY(field->text().isEmpty());
    field->setText("s");
    f.click("sendButton");
    QVERIFY(f.waitIdle());
    QCOMPARE(f.packets(2), (std::vector<std::string>{"9A 61 09 01", "BF 41 4F 01"}));
}

// An adapter's stable name is longer than any COM name: servoconf.ini's
// port shows whole in the selector, and Connect opens it.
void WindowTest::aLongDevicePathIsKeptWhole()
{
    WindowFixture f(false);
    const std::string port = f.path("usb-ORVELIN_USB_Serial_Adapter_" + std::string(70, 'A') + "-if00-port0");
    QVERIFY(port.size() > 100);
    QVERIFY(f.servo.linkTo(port).empty());
    f.writeFile("servoconf.ini", "[SERIAL]\nPORT=" + port + "\nBAUDRATE=115200\n");
    f.window = std::make_unique<MainWindow>();
    f.window->show();
    QCOMPARE(f.find<QComboBox>("portSelector")->currentText(), QString::fromStdString(port));
    QVERIFY(f.connectServo());
    QVERIFY(f.operatorAnswers->boxes().isEmpty());
    QCOMPARE(f.packets(6), withReadAll());
}

void WindowTest::portThatCannotBeOpened()
{
    WindowFixture f(true);
    auto* table = f.find<ParamTable>("paramTable");
    table->stage(18, "0x0010");
    f.find<QComboBox>("portSelector")->setEditText(QString::fromStdString(f.path("no-such-tty")));
    f.click("connectButton");
    QVERIFY(f.waitIdle());
    QCOMPARE(f.operatorAnswers->boxes().size(), 1);
    const BoxSeen& refused = f.operatorAnswers->boxes()[0];
    QCOMPARE((QStringList{refused.title, refused.text}), (QStringList{"通信エラー", "COMポートが開けません"}));
    QCOMPARE(refused.icon, QMessageBox::Critical);
    expectState(f, Start);

    // The failed Connect put that port in force: the Edit menu's commands
    // find no port, say so, and the window stays with what it held.
    f.action("readRamAction")->trigger();
    QVERIFY(f.waitIdle());
    f.action("writeFlashAction")->trigger();
    QVERIFY(f.waitIdle());
    QCOMPARE(f.operatorAnswers->boxes().size(), 3);
    for (const BoxSeen& box : f.operatorAnswers->boxes().mid(1))
        QCOMPARE((QStringList{box.title, box.text, QString::number(box.icon)}),
                 (QStringList{"Error", "serial_open", QString::number(QMessageBox::Critical)}));
    QVERIFY(f.window->isVisible());
    QCOMPARE(table->staged().cell(18), std::string("0x0010"));
    QCOMPARE(table->item(18, ParamTable::FlashColumnIndex)->text(), QStringLiteral("0x0010"));
    QVERIFY(f.servo.packets().empty());
}

void WindowTest::workerKeepsTheWindowResponsive()
{
    WindowFixture f(false);
    QVERIFY(f.connectServo());
    // 35 bytes a block at 9600 baud: the read-all takes about 0.2 s.
    QVERIFY(f.servo.control("pace 9600"));
    auto* table = f.find<ParamTable>("paramTable");
    int paintsWhileBusy = 0;
    struct PaintCounter : QObject {
        std::function<void()> painted;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                painted();
            return false;
        }
    } counter;
    counter.painted = [&] { paintsWhileBusy += f.window->busy() ? 1 : 0; };
    table->viewport()->installEventFilter(&counter);
    QTimer repaint;
    QObject::connect(&repaint, &QTimer::timeout, table->viewport(), [table] { table->viewport()->update(); });
    repaint.start(10);

    QElapsedTimer took;
    took.start();
    f.click("refreshButton");
    QVERIFY(f.window->busy());
    QVERIFY(!f.find<QPushButton>("refreshButton")->isEnabled());
    QVERIFY(!f.find<QPushButton>("sendButton")->isEnabled());
    QVERIFY(!f.action("writeFlashAction")->isEnabled());
    QVERIFY(f.waitIdle());
    qInfo("paced read-all: %lld ms, %d repaints meanwhile", static_cast<long long>(took.elapsed()), paintsWhileBusy);
    QVERIFY(took.elapsed() >= 150);
    QVERIFY(paintsWhileBusy >= 3);
    QVERIFY(f.find<QPushButton>("refreshButton")->isEnabled());
}

QTEST_MAIN(WindowTest)
#include "test_window.moc"
