// The RAM and FLASH edit dialogs, the list's pop-up, the FLASH value files
// and the options dialog, each opened as the operator opens it.
#include "qt/param_table.h"
#include "tests/qt/window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

constexpr int kMPos = 18;
constexpr int kFbEdb = 33;

// Types text into the next edit dialog and presses OK or Cancel; what the
// dialog showed (title, name, value) goes to seen.
void answerEditDialog(WindowFixture& f, const QString& text, QStringList& seen, const char* button = "okButton")
{
    f.operatorAnswers->then([text, &seen, button](QWidget* modal) {
        auto* value = modal->findChild<QLineEdit*>("valueField");
        if (value == nullptr)
            return;
        seen = {modal->windowTitle(), modal->findChild<QLineEdit*>("nameField")->text(), value->text()};
        value->setText(text);
        QTest::mouseClick(modal->findChild<QPushButton*>(button), Qt::LeftButton);
    });
}

QString cell(ParamTable* table, int row)
{
    return table->item(row, ParamTable::FlashColumnIndex)->text();
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void flashEditMasksByRegisterSize();
    void ramEditWritesAndRefreshes();
    void flashValueFilesSaveAndLoad();
    void optionsEditTheStartupFile();
};

void DialogsTest::flashEditMasksByRegisterSize()
{
    WindowFixture f(true);
    QVERIFY(f.connectServo());
    auto* table = f.find<ParamTable>("paramTable");
    // The pop-up opens wherever the right click falls.
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), table->viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(table->viewport(), &click);
    auto* menu = f.window->findChild<QMenu*>("listMenu");
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->actions().value(0)->text(), QStringLiteral("FLASH値入力"));
    menu->hide();

    const std::tuple<int, const char*, const char*> cases[] = {
        {kMPos, "3e8", "0x03E8"}, {kMPos, "12345", "0x2345"}, {3, "-1", "0x7F"},
        {2, "FFFFFFFF", "0x001FFFFF"}, {kMPos, " ", "0x0000"}, {kMPos, "", ""},
    };
    QStringList seen;
    for (const auto& [row, typed, staged] : cases) {
        table->clearSelection();
        table->selectRow(row);
        answerEditDialog(f, QString::fromLatin1(typed), seen);
        f.action("flashInputAction")->trigger();
        QCOMPARE(table->staged().cell(row), std::string(staged));
        QCOMPARE(cell(table, row), QString::fromLatin1(staged));
    }
    // It opens on the RAM value, and with two rows selected on the lower.
    table->stage(kMPos, "0x0010");
    table->clearSelection();
    for (int row : {20, kMPos})
        table->selectionModel()->select(table->model()->index(row, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    answerEditDialog(f, "1", seen, "cancelButton");
    f.action("flashInputAction")->trigger();
    QCOMPARE(seen, (QStringList{"ファームの編集", "M_POS", "03E8"}));
    QCOMPARE(cell(table, kMPos), QStringLiteral("0x0010"));
}

void DialogsTest::ramEditWritesAndRefreshes()
{
    WindowFixture f(false);
    QVERIFY(f.connectServo());
    auto* table = f.find<ParamTable>("paramTable");
    auto doubleClick = [table](int row) {
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(row, 0)).center());
    };
    f.clearPackets();
    QStringList seen;
    answerEditDialog(f, "7d0", seen);
    doubleClick(kMPos);
    QVERIFY(f.waitIdle());
    QCOMPARE(seen, (QStringList{"Edit data", "M_POS", "03E8"}));
    QCOMPARE(f.packets(7), withReadAll({"BF 62 20 50 0F"}));
    QCOMPARE(table->ramText(kMPos), QStringLiteral("0x07D0"));

    // Cancel sends nothing: the next packets are the refresh's.
    f.clearPackets();
    answerEditDialog(f, "1", seen, "cancelButton");
    doubleClick(5);
    QCOMPARE(seen.value(1), QStringLiteral("SYS_BR"));
    f.click("refreshButton");
    QVERIFY(f.waitIdle());
    QCOMPARE(f.packets(6), withReadAll());
}

void DialogsTest::flashValueFilesSaveAndLoad()
{
    WindowFixture f(true);
    auto* table = f.find<ParamTable>("paramTable");
    table->stage(kMPos, "0x03E8");
    table->stage(kFbEdb, "0x05");
    QStringList seen;
    f.chooseInFileDialog(f.path("values.txt"), seen);
    f.action("saveAction")->trigger();
    QCOMPARE(seen.value(0), QStringLiteral("ファイルを保存"));
    QCOMPARE(seen.mid(2), (QStringList{"テキストファイル(*.txt)", "全てのファイル(*)"}));
    QCOMPARE(f.readFile("values.txt"), std::string("18 0x03E8\n33 0x05\n"));

    // A file the Win32 window wrote, CR LF: rows before and between the listed
    // rows are emptied, later rows keep theirs. The dialog proposes the last path.
    f.writeFile("win32.txt", "3 0x01\r\n7 0x0002\r\n");
    table->stage(5, "0x11");
    f.chooseInFileDialog(f.path("win32.txt"), seen);
    f.action("openAction")->trigger();
    QCOMPARE(seen.mid(0, 2), (QStringList{"ファイルを開く", QString::fromStdString(f.path("values.txt"))}));
    for (int row = 0; row < 8; ++row)
        QCOMPARE(cell(table, row), row == 3 ? QStringLiteral("0x01") : row == 7 ? QStringLiteral("0x0002") : QString());
    QCOMPARE(cell(table, kMPos), QStringLiteral("0x03E8"));

    // A file that is no value file changes nothing and says so.
    f.writeFile("bad.txt", "3 0x09\nrow 0x02\n");
    f.chooseInFileDialog(f.path("bad.txt"), seen);
    f.action("openAction")->trigger();
    QCOMPARE(f.operatorAnswers->boxes().size(), 1);
    QCOMPARE(f.operatorAnswers->boxes()[0].icon, QMessageBox::Critical);
    QCOMPARE(cell(table, 3), QStringLiteral("0x01"));
}

void DialogsTest::optionsEditTheStartupFile()
{
    WindowFixture f(true, "[SERIAL]\nPORT=/dev/ttyUSB7\nBAUDRATE=57600\n");
    QCOMPARE(f.find<QComboBox>("portSelector")->currentText(), QStringLiteral("/dev/ttyUSB7"));
    QCOMPARE(f.find<QComboBox>("baudSelector")->currentText(), QStringLiteral("57600"));
    QStringList seen;
    auto answer = [&](const QString& port, const QString& baud, const char* button) {
        f.operatorAnswers->then([=, &seen](QWidget* modal) {
            auto* portBox = modal->findChild<QComboBox*>("portBox");
            auto* baudBox = modal->findChild<QComboBox*>("baudBox");
            if (portBox == nullptr || baudBox == nullptr)
                return;
            seen = {modal->windowTitle(), portBox->currentText(), baudBox->currentText()};
            portBox->setEditText(port);
            baudBox->setEditText(baud);
            QTest::mouseClick(modal->findChild<QPushButton*>(button), Qt::LeftButton);
        });
        f.action("optionsAction")->trigger();
    };
    answer("/dev/ttyUSB7", "9600", "okButton");
    QCOMPARE(seen, (QStringList{"オプション", "/dev/ttyUSB7", "57600"}));
    const std::string written = "[SERIAL]\nPORT=/dev/ttyUSB7\nBAUDRATE=9600\n";
    QCOMPARE(f.readFile("servoconf.ini"), written);
    // The file changes; the window's selectors wait for the next start.
    QCOMPARE(f.find<QComboBox>("baudSelector")->currentText(), QStringLiteral("57600"));

    answer("/dev/ttyACM0", "115200", "cancelButton");
    // 9600 is none of the six rates: the box opens with an empty field.
    QCOMPARE(seen.value(2), QString());
    QCOMPARE(f.readFile("servoconf.ini"), written);
}

QTEST_MAIN(DialogsTest)
#include "test_dialogs.moc"
