// The RAM and FLASH edit dialogs, the FLASH value files and the options
// dialog, each opened as the operator opens it and answered in its fields.
#include "param_table.h"
#include "window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

constexpr int kSysBr = 5;
constexpr int kMPos = 18;
constexpr int kFbEdb = 33;

// What an edit dialog showed when it opened: title, name, value.
struct EditSeen {
    QStringList shown;
};

// Types text into the next edit dialog and presses OK (or Cancel).
void answerEditDialog(WindowFixture& f, const QString& text, EditSeen& seen, bool ok = true)
{
    f.operatorAnswers->then([text, &seen, ok](QWidget* modal) {
        auto* value = modal->findChild<QLineEdit*>("valueField");
        auto* name = modal->findChild<QLineEdit*>("nameField");
        if (value == nullptr || name == nullptr)
            return;
        seen.shown = {modal->windowTitle(), name->text(), value->text()};
        value->setText(text);
        QTest::mouseClick(modal->findChild<QPushButton*>(ok ? "okButton" : "cancelButton"), Qt::LeftButton);
    });
}

// Chooses path in the next file dialog; its title, filters and proposed
// file go to seen.
void answerFileDialog(WindowFixture& f, const std::string& path, QStringList& seen)
{
    f.operatorAnswers->then([path, &seen](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog == nullptr)
            return;
        seen = QStringList{dialog->windowTitle(), dialog->selectedFiles().value(0)} + dialog->nameFilters();
        chooseFile(dialog, path);
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
    struct Case {
        int row;
        const char* typed;
        const char* cell;
    };
    const Case cases[] = {
        {kMPos, "3e8", "0x03E8"}, {kMPos, "12345", "0x2345"}, {3, "1FF", "0x7F"},   {3, "-1", "0x7F"},
        {2, "FFFFFFFF", "0x001FFFFF"}, {kMPos, " ", "0x0000"}, {kMPos, "", ""},
    };
    for (const Case& c : cases) {
        table->clearSelection();
        table->selectRow(c.row);
        EditSeen seen;
        answerEditDialog(f, QString::fromLatin1(c.typed), seen);
        f.action("flashInputAction")->trigger();
        QCOMPARE(table->staged().cell(c.row), std::string(c.cell));
        QCOMPARE(cell(table, c.row), QString::fromLatin1(c.cell));
    }
    // The dialog opens on the RAM value, and with two rows selected on the lower.
    table->stage(kMPos, "0x0010");
    table->clearSelection();
    table->selectionModel()->select(table->model()->index(20, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    table->selectionModel()->select(table->model()->index(kMPos, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EditSeen seen;
    answerEditDialog(f, "1", seen, false);
    f.action("flashInputAction")->trigger();
    QCOMPARE(seen.shown, (QStringList{"ファームの編集", "M_POS", "03E8"}));
    QCOMPARE(cell(table, kMPos), QStringLiteral("0x0010"));
    QVERIFY(!f.operatorAnswers->handlersLeft());
}

void DialogsTest::ramEditWritesAndRefreshes()
{
    WindowFixture f(false);
    QVERIFY(f.connectServo());
    auto* table = f.find<ParamTable>("paramTable");
    f.clearPackets();
    EditSeen seen;
    answerEditDialog(f, "7d0", seen);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(kMPos, 0)).center());
    QVERIFY(f.waitIdle());
    QCOMPARE(seen.shown, (QStringList{"Edit data", "M_POS", "03E8"}));
    std::vector<std::string> expected{"BF 62 20 50 0F"};
    for (const std::string& block : readAllPackets())
        expected.push_back(block);
    QCOMPARE(f.packets(7), expected);
    QCOMPARE(table->ramText(kMPos), QStringLiteral("0x07D0"));

    // Cancel sends nothing.
    f.clearPackets();
    answerEditDialog(f, "1", seen, false);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(kSysBr, 0)).center());
    QVERIFY(f.waitIdle());
    QCOMPARE(seen.shown.value(1), QStringLiteral("SYS_BR"));
    f.click("refreshButton");
    QVERIFY(f.waitIdle());
    QCOMPARE(f.packets(6), readAllPackets());
}

void DialogsTest::flashValueFilesSaveAndLoad()
{
    WindowFixture f(true);
    auto* table = f.find<ParamTable>("paramTable");
    table->stage(kMPos, "0x03E8");
    table->stage(kFbEdb, "0x05");
    QStringList seen;
    answerFileDialog(f, f.path("values.txt"), seen);
    f.action("saveAction")->trigger();
    QCOMPARE(seen.value(0), QStringLiteral("ファイルを保存"));
    QCOMPARE(seen.mid(2), (QStringList{"テキストファイル(*.txt)", "全てのファイル(*)"}));
    QCOMPARE(f.readFile("values.txt"), std::string("18 0x03E8\n33 0x05\n"));

    // A file the Win32 window wrote, CR LF: rows before and between the listed
    // rows are emptied, later rows keep their values. The dialog proposes the
    // path chosen last.
    f.writeFile("win32.txt", "3 0x01\r\n7 0x0002\r\n");
    table->stage(5, "0x11");
    answerFileDialog(f, f.path("win32.txt"), seen);
    f.action("openAction")->trigger();
    QCOMPARE(seen.mid(0, 2), (QStringList{"ファイルを開く", QString::fromStdString(f.path("values.txt"))}));
    for (int row = 0; row < 8; ++row)
        QCOMPARE(cell(table, row), row == 3 ? QStringLiteral("0x01") : row == 7 ? QStringLiteral("0x0002") : QString());
    QCOMPARE(cell(table, kMPos), QStringLiteral("0x03E8"));
    QCOMPARE(cell(table, kFbEdb), QStringLiteral("0x05"));

    // A file that is no value file changes nothing and says so.
    f.writeFile("bad.txt", "3 0x09\nrow 0x02\n");
    answerFileDialog(f, f.path("bad.txt"), seen);
    f.action("openAction")->trigger();
    QCOMPARE(f.operatorAnswers->boxes().size(), 1);
    QCOMPARE(f.operatorAnswers->boxes()[0].icon, QMessageBox::Critical);
    QCOMPARE(cell(table, 3), QStringLiteral("0x01"));
}

void DialogsTest::optionsEditTheStartupFile()
{
    const std::string ini = "[SERIAL]\nPORT=/dev/ttyUSB7\nBAUDRATE=57600\n";
    WindowFixture f(true, ini);
    QCOMPARE(f.find<QComboBox>("portSelector")->currentText(), QStringLiteral("/dev/ttyUSB7"));
    QCOMPARE(f.find<QComboBox>("baudSelector")->currentText(), QStringLiteral("57600"));
    auto answer = [&f](const QString& port, const QString& baud, const char* button, QStringList& seen) {
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
    };
    QStringList seen;
    answer("/dev/ttyUSB7", "9600", "okButton", seen);
    f.action("optionsAction")->trigger();
    QCOMPARE(seen, (QStringList{"オプション", "/dev/ttyUSB7", "57600"}));
    QCOMPARE(f.readFile("servoconf.ini"), std::string("[SERIAL]\nPORT=/dev/ttyUSB7\nBAUDRATE=9600\n"));
    // The file changes; the window's selectors do not until the next start.
    QCOMPARE(f.find<QComboBox>("baudSelector")->currentText(), QStringLiteral("57600"));

    answer("/dev/ttyACM0", "115200", "cancelButton", seen);
    f.action("optionsAction")->trigger();
    // 9600 is none of the six rates: the box opens with an empty field.
    QCOMPARE(seen.value(2), QString());
    QCOMPARE(f.readFile("servoconf.ini"), std::string("[SERIAL]\nPORT=/dev/ttyUSB7\nBAUDRATE=9600\n"));
}

QTEST_MAIN(DialogsTest)
#include "test_dialogs.moc"
