// What the Qt window adds to the Win32 one: the trace pane with the wire's
// packet lines, the live chart of one servo or several and its exports, the
// scan, the window that grows; and the translations, held to the texts ops
// gives both windows.
#include "qt/language.h"
#include "qt/live_chart.h"
#include "qt/operation_texts.h"
#include "qt/param_table.h"
#include "qt/scan_dialog.h"
#include "qt/trace_pane.h"
#include "tests/qt/window_fixture.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDockWidget>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <optional>

namespace {

void send(WindowFixture& f, const char* line)
{
    f.find<QLineEdit>("commandField")->setText(QString::fromLatin1(line));
    f.click("sendButton");
}

using Values = QList<std::optional<quint32>>;

qsizetype missedSamples(const LiveChart* chart)
{
    return std::ranges::count_if(chart->samples(), [](const ChartSample& s) { return !s.values.front(); });
}

// The scan dialog the window opens next, once it is open.
ScanDialog* openScan(WindowFixture& f)
{
    QPointer<ScanDialog> dialog;
    f.operatorAnswers->then([&dialog](QWidget* modal) { dialog = qobject_cast<ScanDialog*>(modal); });
    f.action("scanAction")->trigger();
    static_cast<void>(QTest::qWaitFor([&] { return dialog != nullptr; }, 10000));
    return dialog;
}

// The scan's lines: "01 0x0C35 0x0103 115200" for a servo, the text of a
// line that says why an answer is not listed.
QStringList scanLines(const ScanDialog* dialog)
{
    QStringList lines;
    auto* results = dialog->findChild<QTreeWidget*>(QStringLiteral("scanResults"));
    for (int k = 0; k < results->topLevelItemCount(); ++k) {
        const QTreeWidgetItem* item = results->topLevelItem(k);
        lines << QStringList{item->text(0), item->text(1), item->text(2), item->text(3)}.join(QLatin1Char(' ')).trimmed();
    }
    return lines;
}

void scan(ScanDialog* dialog)
{
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("scanButton")), Qt::LeftButton);
}

}  // namespace

class ExtrasTest : public QObject {
    Q_OBJECT
private slots:
    void traceWithPacketLines();
    void chartSamplesAPositionMove();
    void chartLeavesAGapWhileTheServoIsSilent();
    void chartSamplesSeveralServos();
    void scanFindsTheServosOfABus();
    void enlargedWindowGrowsTheListAndPanes();
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
    QCOMPARE(chart->samples().front().values, Values{0x3E8});
    // M_POS moves toward 0x800 at a steady rate.
    send(f, "b 3f 3f 800 1");
    QVERIFY(QTest::qWaitFor([chart] { return chart->samples().back().values.value(0) > 0x3E8; }, 10000));
    QVERIFY(QTest::qWaitFor([chart] { return chart->samples().back().values.value(0) > 0x400; }, 10000));
    f.action("stopRecordingAction")->trigger();
    QVERIFY(!chart->recording());
    QVERIFY(f.waitIdle());

    const auto& samples = chart->samples();
    quint32 lastValue = 0;
    for (std::size_t k = 0; k < samples.size(); ++k) {
        QVERIFY(k == 0 || samples[k].seconds > samples[k - 1].seconds);
        // A loaded machine may miss a reply: a gap, not a value.
        if (!samples[k].values[0])
            continue;
        QVERIFY(*samples[k].values[0] >= lastValue);
        lastValue = *samples[k].values[0];
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

void ExtrasTest::chartLeavesAGapWhileTheServoIsSilent()
{
    WindowFixture f(false);
    QVERIFY(f.connectServo());
    auto* chart = f.find<LiveChart>("liveChart");
    auto* note = f.find<QLabel>("chartMissNote");
    QVERIFY(note != nullptr);
    f.action("chartAction")->trigger();
    f.action("startRecordingAction")->trigger();
    auto whole = [chart] { return static_cast<qsizetype>(chart->samples().size()) - missedSamples(chart); };
    QVERIFY(QTest::qWaitFor([&] { return whole() >= 2; }, 10000));

    QVERIFY(f.servo.control("silent 1"));
    QVERIFY(QTest::qWaitFor([&] { return missedSamples(chart) >= 3; }, 20000));
    QVERIFY(!note->isHidden());
    QCOMPARE(note->text(), QStringLiteral("ID 3F: no answer"));
    QVERIFY(chart->recording());

    // A reply cut short is a gap as well, with how much of it came.
    QVERIFY(f.servo.control("short 10"));
    QVERIFY(f.servo.control("silent 0"));
    QVERIFY(QTest::qWaitFor([&] { return note->text() == QStringLiteral("ID 3F: 10 of 16 bytes came"); }, 20000));

    const qsizetype wholeBefore = whole();
    QVERIFY(f.servo.control("short -1"));
    QVERIFY(QTest::qWaitFor([&] { return whole() >= wholeBefore + 2 && chart->samples().back().values.front(); },
                            20000));
    QVERIFY(note->isHidden());
    f.action("stopRecordingAction")->trigger();
    QVERIFY(f.waitIdle());

    // Nothing but the servo's position was plotted: no zero for the silence.
    for (const ChartSample& sample : chart->samples())
        QVERIFY(!sample.values.front() || sample.values == Values{0x3E8});
    // The line broke: it goes on in another segment, named once in the legend.
    QChart* plot = f.find<QChartView>("chartView")->chart();
    QVERIFY(plot->series().size() >= 2);
    const auto markers = plot->legend()->markers();
    QCOMPARE(std::ranges::count_if(markers, [](QLegendMarker* m) { return m->isVisible(); }), 1);
    const QRegularExpression missedRow(QStringLiteral("\\n[0-9]+\\.[0-9]{3},\\n"));
    QVERIFY(missedRow.match(QString::fromStdString(chart->csvText())).hasMatch());
}

void ExtrasTest::chartSamplesSeveralServos()
{
    WindowFixture f(false, {}, {0x01, 0x02});
    f.servo.setMemory(0x02, 0x20, {0x10, 0x00});
    f.servo.setMemory(0x01, 0x20, {0x68, 0x07});
    auto* chart = f.find<LiveChart>("liveChart");
    f.action("chartAction")->trigger();
    // 03 is not on the bus: a gap in its line alone, and the note says so.
    f.find<QLineEdit>("chartIds")->setText(QStringLiteral("1-3"));
    f.action("startRecordingAction")->trigger();
    const Values expected{0x3E8, 0x10, std::nullopt};
    QVERIFY(QTest::qWaitFor([&] { return std::ranges::count(chart->samples(), expected, &ChartSample::values) >= 3; },
                            20000));
    f.action("stopRecordingAction")->trigger();
    QVERIFY(f.waitIdle());
    QVERIFY(f.find<QLabel>("chartMissNote")->text().contains(QStringLiteral("ID 03: no answer")));

    QStringList names;
    for (QAbstractSeries* series : f.find<QChartView>("chartView")->chart()->series())
        names << series->name();
    QCOMPARE(names.mid(0, 3), (QStringList{"01:M_POS", "02:M_POS", "03:M_POS"}));
    const std::string csv = chart->csvText();
    QVERIFY(csv.starts_with("time_s,01:M_POS,02:M_POS,03:M_POS\n"));
    QVERIFY(csv.find(",1000,16,\n") != std::string::npos);
}

void ExtrasTest::scanFindsTheServosOfABus()
{
    // Two servos on 07 answer over each other: said, never listed.
    WindowFixture f(false, {}, {0x01, 0x02, 0x05, 0x07, 0x07});
    ScanDialog* dialog = openScan(f);
    QVERIFY(dialog != nullptr);
    const QStringList servos{"01 0x0C35 0x0103 115200", "02 0x0C35 0x0103 115200", "05 0x0C35 0x0103 115200"};
    // A loaded machine may make an answer late, and so not listed: the scan
    // is run again.
    for (int run = 0; run < 3 && scanLines(dialog).mid(0, 3) != servos; ++run) {
        scan(dialog);
        QVERIFY(f.waitIdle());
    }
    QCOMPARE(scanLines(dialog).mid(0, 3), servos);
    QCOMPARE(scanLines(dialog).size(), 4);
    QVERIFY2(scanLines(dialog).back().startsWith(QStringLiteral("ID 07 at 115200 bits/s: "))
                 && scanLines(dialog).back().endsWith(QStringLiteral("; not used")),
             qPrintable(scanLines(dialog).back()));
    QCOMPARE(dialog->findChild<QLabel*>("scanStatus")->text(), QStringLiteral("Servos found: 3"));

    auto* results = dialog->findChild<QTreeWidget*>("scanResults");
    const QPoint five = results->visualItemRect(results->topLevelItem(2)).center();
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, five);
    QTest::mouseDClick(results->viewport(), Qt::LeftButton, {}, five);
    QCOMPARE(f.find<QComboBox>("idSelector")->currentText(), QStringLiteral("5"));

    // At all six rates, where a pseudo-terminal answers at every one;
    // stopped once a servo has answered at the second.
    dialog = openScan(f);
    QVERIFY(dialog != nullptr);
    dialog->findChild<QRadioButton*>("scanAllRates")->setChecked(true);
    scan(dialog);
    results = dialog->findChild<QTreeWidget*>("scanResults");
    auto at19200 = [results] { return results->findItems(QStringLiteral("19200"), Qt::MatchExactly, 3).value(0); };
    QVERIFY(QTest::qWaitFor([&] { return at19200() != nullptr; }, 20000));
    QTest::mouseClick(dialog->findChild<QPushButton*>("scanCancelButton"), Qt::LeftButton);
    QVERIFY(f.waitIdle());
    QVERIFY(dialog->findChild<QLabel*>("scanStatus")->text().startsWith(QStringLiteral("Stopped.")));
    auto* progress = dialog->findChild<QProgressBar*>("scanProgress");
    QVERIFY(progress->value() < progress->maximum());
    const QString id = at19200()->text(0);
    results->setCurrentItem(at19200());
    QTest::mouseClick(dialog->findChild<QPushButton*>("scanUseButton"), Qt::LeftButton);
    QCOMPARE(f.find<QComboBox>("idSelector")->currentText().rightJustified(2, QLatin1Char('0')), id);
    QCOMPARE(f.find<QComboBox>("baudSelector")->currentText(), QStringLiteral("19200"));
}

void ExtrasTest::enlargedWindowGrowsTheListAndPanes()
{
    WindowFixture f(false);
    auto* area = f.find<QWidget>("templateArea");
    QCOMPARE(area->size(), area->layout()->minimumSize());
    auto* table = f.find<ParamTable>("paramTable");
    auto visibleRows = [table] { return table->rowAt(table->viewport()->height() - 1) - table->rowAt(0); };
    const int rows = visibleRows();
    const int portWidth = f.find<QWidget>("portSelector")->width();
    auto* exit = f.find<QWidget>("exitButton");
    const int exitToEdge = table->geometry().right() - exit->geometry().right();
    f.action("traceAction")->trigger();
    f.action("chartAction")->trigger();
    auto* trace = f.find<QDockWidget>("traceDock");
    auto* chart = f.find<QDockWidget>("chartDock");

    f.window->resize(f.window->sizeHint() + QSize(400, 300));
    // The panes grow along their own axis too, beyond the size they need,
    // once the window has laid out the room.
    QVERIFY(QTest::qWaitFor(
        [&] {
            return visibleRows() > rows && chart->width() > chart->sizeHint().width()
                   && trace->height() > trace->sizeHint().height();
        },
        10000));
    QVERIFY(f.find<QWidget>("portSelector")->width() > portWidth);
    // The controls right of the list move with its edge.
    QCOMPARE(table->geometry().right() - exit->geometry().right(), exitToEdge);
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
