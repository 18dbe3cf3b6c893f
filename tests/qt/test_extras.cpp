// What the Qt window adds to the Win32 one: the trace pane with the wire's
// packet lines, the live chart and its exports; and the translations, held
// to the texts ops gives both windows.
#include "language.h"
#include "live_chart.h"
#include "operation_texts.h"
#include "trace_pane.h"
#include "window_fixture.h"

#include <QAction>
#include <QImage>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

namespace {

void send(WindowFixture& f, const char* line)
{
    f.find<QLineEdit>("commandField")->setText(QString::fromLatin1(line));
    f.click("sendButton");
}

}  // namespace

class ExtrasTest : public QObject {
    Q_OBJECT
private slots:
    void traceWithPacketLines();
    void chartSamplesAPositionMove();
    void translationsAreOpsTexts();
};

void ExtrasTest::traceWithPacketLines()
{
    WindowFixture f(false);
    QVERIFY(f.connectServo());
    auto* pane = f.find<TracePane>("tracePane");
    QVERIFY(pane->toPlainText().contains("20:M_POS  =03e8"));
    send(f, "w 9 1");
    QVERIFY(f.waitIdle());
    QVERIFY(pane->toPlainText().endsWith("000009 1 1\n01\n") || pane->toPlainText().endsWith("000009 1 1\nffffffbf\n"));

    f.action("wireAction")->setChecked(true);
    send(f, "w 9 1");
    QVERIFY(f.waitIdle());
    // The packet lines between the trace's own, whether or not a loaded
    // machine let the echo come in time.
    const QRegularExpression wire("000009 1 1\n *[0-9]+\\.[0-9]{3} ms -> BF 61 09 01\n"
                                  " *[0-9]+\\.[0-9]{3} ms <- (01\n01|\\(nothing\\)\nffffffbf)\n$");
    QVERIFY2(wire.match(pane->toPlainText()).hasMatch(), qPrintable(pane->toPlainText().right(200)));
}

void ExtrasTest::chartSamplesAPositionMove()
{
    WindowFixture f(true);
    QVERIFY(f.connectServo());
    auto* chart = f.find<LiveChart>("liveChart");
    f.action("chartAction")->trigger();
    f.action("startRecordingAction")->trigger();
    QVERIFY(chart->recording());
    QVERIFY(QTest::qWaitFor([chart] { return chart->samples().size() >= 3; }, 10000));
    QCOMPARE(chart->samples().front().values, QList<quint32>{0x3E8});
    // M_POS moves toward 0x800 at a steady rate.
    send(f, "b 3f 3f 800 1");
    QVERIFY(QTest::qWaitFor([chart] { return chart->samples().back().values.value(0) > 0x3E8; }, 10000));
    QVERIFY(QTest::qWaitFor([chart] { return chart->samples().back().values.value(0) > 0x400; }, 10000));
    f.action("stopRecordingAction")->trigger();
    QVERIFY(!chart->recording());
    QVERIFY(f.waitIdle());

    const auto& samples = chart->samples();
    for (std::size_t k = 1; k < samples.size(); ++k) {
        QVERIFY(samples[k].seconds > samples[k - 1].seconds);
        QVERIFY(samples[k].values[0] >= samples[k - 1].values[0]);
    }
    const std::string csv = chart->csvText();
    QVERIFY(csv.starts_with("time_s,M_POS\n0.0"));
    QVERIFY(csv.find(",1000\n") != std::string::npos);
    QCOMPARE(static_cast<std::size_t>(std::count(csv.begin(), csv.end(), '\n')), samples.size() + 1);

    QStringList dialog;
    f.chooseInFileDialog(f.path("m_pos.csv"), dialog);
    f.action("exportCsvAction")->trigger();
    QCOMPARE(f.readFile("m_pos.csv"), chart->csvText());
    f.chooseInFileDialog(f.path("m_pos.png"), dialog);
    f.action("exportPngAction")->trigger();
    QImage image(QString::fromStdString(f.path("m_pos.png")));
    QVERIFY(!image.isNull());
    QVERIFY(image.width() >= 360);
}

void ExtrasTest::translationsAreOpsTexts()
{
    QVERIFY(useLanguage(QLocale(QLocale::Japanese)));
    for (const OperatorTextEntry& entry : kOperatorTexts)
        QCOMPARE(operatorText(entry.text), QString::fromUtf8(entry.wording.japanese));
    QVERIFY(!useLanguage(QLocale(QLocale::English)));
    for (const OperatorTextEntry& entry : kOperatorTexts)
        QCOMPARE(operatorText(entry.text), QString::fromUtf8(entry.wording.english));
}

QTEST_MAIN(ExtrasTest)
#include "test_extras.moc"
