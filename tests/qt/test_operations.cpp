// The servo operations through the window: the settings clear, the FLASH
// write of the staged column and the firmware update, each with its packets
// in order and its boxes, answered as an operator would, in both languages.
#include "qt/param_table.h"
#include "tests/qt/window_fixture.h"

#include <QAction>
#include <QProgressBar>
#include <QTest>

namespace {

const std::string kClear = "BF 02 00 00 68 07 11";
const std::string kRestartPacket = "BF 61 09 01";
const std::string kUnlockPacket = "BF 61 14 6A";
// The same lines as the window traces them before sending.
const QString kClearWrite = QStringLiteral("000000 3e8 2");
const QString kRestartWrite = QStringLiteral("000009 1 1");
const QString kUnlockWrite = QStringLiteral("000014 6a 1");

void expectBox(const BoxSeen& box, const QStringList& titleAndText, QMessageBox::Icon icon, const QStringList& writes)
{
    QCOMPARE((QStringList{box.title, box.text}), titleAndText);
    QCOMPARE(box.icon, icon);
    QCOMPARE(box.writesBefore, writes);
}

}  // namespace

class OperationsTest : public QObject {
    Q_OBJECT
private slots:
    void clearThenFlashWrite_data();
    void clearThenFlashWrite();
    void firmwareUpdate();
    void rejectedFirmwareUpdate();
};

void OperationsTest::clearThenFlashWrite_data()
{
    QTest::addColumn<bool>("japanese");
    QTest::addColumn<QStringList>("cleared");
    QTest::addColumn<QStringList>("written");
    QTest::newRow("ja") << true << QStringList{"消去完了", "ORVELINを再起動してOKを押してください"}
                        << QStringList{"書き込み完了", "FLASHの書き込みが完了しました"};
    QTest::newRow("en") << false << QStringList{"Settings cleared", "Restart the ORVELIN and press OK"}
                        << QStringList{"Write finished", "The FLASH write is complete."};
}

void OperationsTest::clearThenFlashWrite()
{
    QFETCH(bool, japanese);
    QFETCH(QStringList, cleared);
    QFETCH(QStringList, written);
    WindowFixture f(japanese);
    QVERIFY(f.connectServo());
    f.clearPackets();
    f.click("clearButton");
    QVERIFY(f.waitIdle());
    QCOMPARE(f.operatorAnswers->boxes().size(), 1);
    expectBox(f.operatorAnswers->boxes()[0], cleared, QMessageBox::NoIcon, {kClearWrite, kRestartWrite});
    QCOMPARE(f.packets(8), withReadAll({kClear, kRestartPacket}));

    auto* table = f.find<ParamTable>("paramTable");
    table->stage(33, "0x05");    // FB_EDB, address 0x3A
    table->stage(18, "0x03E8");  // M_POS, address 0x20
    f.clearPackets();
    f.action("writeFlashAction")->trigger();
    QVERIFY(f.waitIdle());
    QCOMPARE(f.operatorAnswers->boxes().size(), 3);
    // The operator restarts the servo before any staged value goes out.
    expectBox(f.operatorAnswers->boxes()[1], cleared, QMessageBox::NoIcon,
              {kClearWrite, kRestartWrite, kClearWrite, kRestartWrite});
    expectBox(f.operatorAnswers->boxes()[2], written, QMessageBox::NoIcon,
              {kClearWrite, kRestartWrite, kClearWrite, kRestartWrite, "000020 3e8 2", "00003a 5 1", kRestartWrite});
    QCOMPARE(f.packets(11), withReadAll({kClear, kRestartPacket, "BF 02 20 00 68 07 71", "BF 01 3A 00 05 41", kRestartPacket}));
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
    f.chooseInFileDialog(f.path("servo.upd"), dialog);
    f.clearPackets();
    f.action("updateAction")->trigger();
    QVERIFY(f.waitIdle());
    QCOMPARE(dialog.value(0), QStringLiteral("ファームウェアファイルを開く"));
    QCOMPARE(dialog.mid(2), (QStringList{"ファームウェアファイル(*.upd)", "全てのファイル(*)"}));
    QCOMPARE(f.operatorAnswers->boxes().size(), 1);
    expectBox(f.operatorAnswers->boxes()[0],
              {"ファームアップデート完了", "ファームウェアの書き込みが完了しました\nORVELINを再起動してOKを押してください"},
              QMessageBox::NoIcon, {kUnlockWrite, kRestartWrite});
    auto packets = f.packets(11);
    QCOMPARE(packets.size(), 11u);
    QCOMPARE(packets[0], kUnlockPacket);
    QVERIFY(packets[1].starts_with("BF 10 00 20 00 01"));
    QVERIFY(packets[2].starts_with("BF 10 10 20 10 11"));
    QVERIFY(packets[3].starts_with("BF 08 20 20 20 21"));
    QCOMPARE(std::vector<std::string>(packets.begin() + 4, packets.end()), withReadAll({kRestartPacket}));
    auto uploaded = f.servo.uploadImage(0x3F);
    QCOMPARE(std::string(uploaded.begin(), uploaded.end()), image);
    // Chunks sent of the total, shown while the upload ran.
    QVERIFY(shown.contains(QPair<int, int>(1, 3)));
    QVERIFY(shown.contains(QPair<int, int>(3, 3)));
    QVERIFY(progress->isHidden());
}

void OperationsTest::rejectedFirmwareUpdate()
{
    WindowFixture f(false);
    QVERIFY(f.connectServo());
    f.writeFile("servo.upd", "\x01\x02\x03");
    QVERIFY(f.servo.control("reject 5"));
    QStringList dialog;
    f.chooseInFileDialog(f.path("servo.upd"), dialog);
    f.clearPackets();
    f.action("updateAction")->trigger();
    QVERIFY(f.waitIdle());
    QCOMPARE(dialog.value(0), QStringLiteral("Open firmware file"));
    QCOMPARE(f.operatorAnswers->boxes().size(), 1);
    expectBox(f.operatorAnswers->boxes()[0], {"Update error", "The checksum is not correct"}, QMessageBox::Critical,
              {kUnlockWrite});
    // Five tries of the chunk; no restart request, no refresh.
    const std::string chunk = "BF 03 00 20 01 02 03 5A";
    QCOMPARE(f.packets(6), (std::vector<std::string>{kUnlockPacket, chunk, chunk, chunk, chunk, chunk}));
}

QTEST_MAIN(OperationsTest)
#include "test_operations.moc"
