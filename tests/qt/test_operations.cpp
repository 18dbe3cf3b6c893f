// The servo operations through the window: the settings clear, the FLASH
// write of the staged column and the firmware update, each with its packets
// in order and its boxes, answered as an operator would, in both languages.
#include "param_table.h"
#include "window_fixture.h"

#include <QAction>
#include <QFileDialog>
#include <QProgressBar>
#include <QTest>

namespace {

const std::string kClear = "BF 02 00 00 68 07 11";
const std::string kRestart = "BF 61 09 01";
const std::string kUnlock = "BF 61 14 6A";
// The same lines as the window traces them before sending.
const QString kClearWrite = QStringLiteral("000000 3e8 2");
const QString kRestartWrite = QStringLiteral("000009 1 1");
const QString kUnlockWrite = QStringLiteral("000014 6a 1");

std::vector<std::string> withReadAll(std::vector<std::string> packets)
{
    for (const std::string& block : readAllPackets())
        packets.push_back(block);
    return packets;
}

void expectBox(const BoxSeen& box, const QString& title, const QString& text, QMessageBox::Icon icon,
               const QStringList& writesBefore)
{
    QCOMPARE(box.title, title);
    QCOMPARE(box.text, text);
    QCOMPARE(box.icon, icon);
    QCOMPARE(box.writesBefore, writesBefore);
}

// Answers the firmware dialog with path; its title and filters go to seen.
void chooseFirmware(WindowFixture& f, const std::string& path, QStringList& seen)
{
    f.operatorAnswers->then([path, &seen](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog == nullptr)
            return;
        seen = QStringList{dialog->windowTitle()} + dialog->nameFilters();
        chooseFile(dialog, path);
    });
}

}  // namespace

class OperationsTest : public QObject {
    Q_OBJECT
private slots:
    void settingsClear_data();
    void settingsClear();
    void flashWrite_data();
    void flashWrite();
    void firmwareUpdate();
    void firmwareUpdateFailures();
};

void OperationsTest::settingsClear_data()
{
    QTest::addColumn<bool>("japanese");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("ja") << true << QStringLiteral("消去完了") << QStringLiteral("ORVELINを再起動してOKを押してください");
    QTest::newRow("en") << false << QStringLiteral("Settings cleared") << QStringLiteral("Restart the ORVELIN and press OK");
}

void OperationsTest::settingsClear()
{
    QFETCH(bool, japanese);
    QFETCH(QString, title);
    QFETCH(QString, text);
    WindowFixture f(japanese);
    QVERIFY(f.connectServo());
    f.clearPackets();
    f.click("clearButton");
    QVERIFY(f.waitIdle());
    QCOMPARE(f.operatorAnswers->boxes().size(), 1);
    expectBox(f.operatorAnswers->boxes()[0], title, text, QMessageBox::NoIcon, {kClearWrite, kRestartWrite});
    QCOMPARE(f.packets(8), withReadAll({kClear, kRestart}));
}

void OperationsTest::flashWrite_data()
{
    QTest::addColumn<bool>("japanese");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("ja") << true << QStringLiteral("書き込み完了") << QStringLiteral("FLASHの書き込みが完了しました");
    QTest::newRow("en") << false << QStringLiteral("Write finished") << QStringLiteral("The FLASH write is complete.");
}

void OperationsTest::flashWrite()
{
    QFETCH(bool, japanese);
    QFETCH(QString, title);
    QFETCH(QString, text);
    WindowFixture f(japanese);
    QVERIFY(f.connectServo());
    auto* table = f.find<ParamTable>("paramTable");
    table->stage(33, "0x05");   // FB_EDB, address 0x3A
    table->stage(18, "0x03E8");  // M_POS, address 0x20
    f.clearPackets();
    f.action("writeFlashAction")->trigger();
    QVERIFY(f.waitIdle());
    QCOMPARE(f.operatorAnswers->boxes().size(), 2);
    // The operator restarts the servo before any staged value goes out.
    QCOMPARE(f.operatorAnswers->boxes()[0].writesBefore, (QStringList{kClearWrite, kRestartWrite}));
    expectBox(f.operatorAnswers->boxes()[1], title, text, QMessageBox::NoIcon,
              {kClearWrite, kRestartWrite, "000020 3e8 2", "00003a 5 1", kRestartWrite});
    QCOMPARE(f.packets(11),
             withReadAll({kClear, kRestart, "BF 02 20 00 68 07 71", "BF 01 3A 00 05 41", kRestart}));
    QCOMPARE(table->staged().cell(18), std::string("0x03E8"));
}

void OperationsTest::firmwareUpdate()
{
    WindowFixture f(true);
    QVERIFY(f.connectServo());
    std::string image;
    for (int k = 0; k < 40; ++k)
        image += static_cast<char>(k);
    f.writeFile("servo.upd", image);
    auto* progress = f.find<QProgressBar>("uploadProgress");
    QList<QPair<int, int>> shown;
    QObject::connect(progress, &QProgressBar::valueChanged, progress,
                     [&](int value) { shown.append({value, progress->maximum()}); });
    QStringList dialog;
    chooseFirmware(f, f.path("servo.upd"), dialog);
    f.clearPackets();
    f.action("updateAction")->trigger();
    QVERIFY(f.waitIdle());
    QCOMPARE(dialog, (QStringList{"ファームウェアファイルを開く", "ファームウェアファイル(*.upd)", "全てのファイル(*)"}));
    QCOMPARE(f.operatorAnswers->boxes().size(), 1);
    expectBox(f.operatorAnswers->boxes()[0], QStringLiteral("ファームアップデート完了"),
              QStringLiteral("ファームウェアの書き込みが完了しました\nORVELINを再起動してOKを押してください"),
              QMessageBox::NoIcon, {kUnlockWrite, kRestartWrite});
    auto packets = f.packets(11);
    QCOMPARE(packets.size(), 11u);
    QCOMPARE(packets[0], kUnlock);
    QVERIFY(packets[1].starts_with("BF 10 00 20 00 01"));
    QVERIFY(packets[2].starts_with("BF 10 10 20 10 11"));
    QVERIFY(packets[3].starts_with("BF 08 20 20 20 21"));
    QCOMPARE(packets[4], kRestart);
    QCOMPARE(std::vector<std::string>(packets.begin() + 5, packets.end()), readAllPackets());
    auto uploaded = f.servo.uploadImage(0x3F);
    QCOMPARE(std::string(uploaded.begin(), uploaded.end()), image);
    // Chunks sent of the total, shown while the upload ran.
    QVERIFY(shown.contains(QPair<int, int>(1, 3)));
    QVERIFY(shown.contains(QPair<int, int>(3, 3)));
    QVERIFY(progress->isHidden());
}

void OperationsTest::firmwareUpdateFailures()
{
    {
        WindowFixture f(false);
        QVERIFY(f.connectServo());
        f.writeFile("servo.upd", "\x01\x02\x03");
        QVERIFY(f.servo.control("reject 5"));
        QStringList dialog;
        chooseFirmware(f, f.path("servo.upd"), dialog);
        f.clearPackets();
        f.action("updateAction")->trigger();
        QVERIFY(f.waitIdle());
        QCOMPARE(f.operatorAnswers->boxes().size(), 1);
        expectBox(f.operatorAnswers->boxes()[0], QStringLiteral("Update error"),
                  QStringLiteral("The checksum is not correct"), QMessageBox::Critical, {kUnlockWrite});
        // Five tries of the chunk; no restart request, no refresh.
        const std::string chunk = "BF 03 00 20 01 02 03 5A";
        QCOMPARE(f.packets(6), (std::vector<std::string>{kUnlock, chunk, chunk, chunk, chunk, chunk}));
        QCOMPARE(dialog.value(0), QStringLiteral("Open firmware file"));
    }
    {
        WindowFixture f(true);
        QVERIFY(f.connectServo());
        f.writeFile("bad.upd", "\x01\x80");
        QStringList dialog;
        chooseFirmware(f, f.path("bad.upd"), dialog);
        f.clearPackets();
        f.action("updateAction")->trigger();
        QVERIFY(f.waitIdle());
        QCOMPARE(f.operatorAnswers->boxes().size(), 1);
        expectBox(f.operatorAnswers->boxes()[0], QStringLiteral("アップデートエラー"),
                  QStringLiteral("アップデートファイルが正しくありません"), QMessageBox::Critical, {kUnlockWrite});
        QCOMPARE(f.packets(1), std::vector<std::string>{kUnlock});
    }
}

QTEST_MAIN(OperationsTest)
#include "test_operations.moc"
