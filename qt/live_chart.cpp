#include "live_chart.h"

#include "file_replace.h"
#include "registers.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QMessageBox>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kDefaultRow = 18;  // M_POS
constexpr int kDefaultIntervalMs = 100;
constexpr int kShortestIntervalMs = 20;
constexpr int kLongestIntervalMs = 60000;
// The chart keeps its latest points and the last minute in view; the CSV
// keeps every sample.
constexpr int kPointsShown = 3000;
constexpr double kSecondsShown = 60.0;
constexpr double kFirstSecondsShown = 10.0;

QToolButton* buttonFor(QAction* action, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setDefaultAction(action);
    return button;
}

}  // namespace

LiveChart::LiveChart(QWidget* parent) : QWidget(parent)
{
    registers_ = new QListWidget(this);
    registers_->setObjectName(QStringLiteral("chartRegisters"));
    for (int row = 0; row < kParamRows; ++row) {
        auto* item = new QListWidgetItem(QString::fromLatin1(paramtbl[static_cast<std::size_t>(row)].name), registers_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(row == kDefaultRow ? Qt::Checked : Qt::Unchecked);
    }
    registers_->setMaximumWidth(registers_->sizeHintForColumn(0) + 48);
    interval_ = new QSpinBox(this);
    interval_->setObjectName(QStringLiteral("chartInterval"));
    interval_->setRange(kShortestIntervalMs, kLongestIntervalMs);
    interval_->setValue(kDefaultIntervalMs);
    interval_->setSuffix(tr(" ms"));

    chart_ = new QChart;
    timeAxis_ = new QValueAxis(chart_);
    timeAxis_->setTitleText(tr("Seconds"));
    timeAxis_->setRange(0, kFirstSecondsShown);
    valueAxis_ = new QValueAxis(chart_);
    valueAxis_->setLabelFormat(QStringLiteral("%d"));
    chart_->addAxis(timeAxis_, Qt::AlignBottom);
    chart_->addAxis(valueAxis_, Qt::AlignLeft);
    view_ = new QChartView(chart_, this);
    view_->setObjectName(QStringLiteral("chartView"));
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setMinimumSize(360, 240);

    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, [this] { emit sampleWanted(rows_, since_); });

    start_ = new QAction(tr("Start recording"), this);
    start_->setObjectName(QStringLiteral("startRecordingAction"));
    stop_ = new QAction(tr("Stop recording"), this);
    stop_->setObjectName(QStringLiteral("stopRecordingAction"));
    exportCsv_ = new QAction(tr("Export CSV..."), this);
    exportCsv_->setObjectName(QStringLiteral("exportCsvAction"));
    exportPng_ = new QAction(tr("Export PNG..."), this);
    exportPng_->setObjectName(QStringLiteral("exportPngAction"));
    connect(start_, &QAction::triggered, this, &LiveChart::startRecording);
    connect(stop_, &QAction::triggered, this, &LiveChart::stopRecording);
    connect(exportCsv_, &QAction::triggered, this, &LiveChart::chooseAndExportCsv);
    connect(exportPng_, &QAction::triggered, this, &LiveChart::chooseAndExportPng);

    auto* controls = new QVBoxLayout;
    controls->addWidget(new QLabel(tr("Registers"), this));
    controls->addWidget(registers_, 1);
    controls->addWidget(new QLabel(tr("Interval"), this));
    controls->addWidget(interval_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(buttonFor(start_, this));
    buttons->addWidget(buttonFor(stop_, this));
    controls->addLayout(buttons);
    auto* exports = new QHBoxLayout;
    exports->addWidget(buttonFor(exportCsv_, this));
    exports->addWidget(buttonFor(exportPng_, this));
    controls->addLayout(exports);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(view_, 1);
    updateActions();
}

bool LiveChart::recording() const
{
    return timer_->isActive();
}

void LiveChart::updateActions()
{
    const bool on = recording();
    start_->setEnabled(!on);
    stop_->setEnabled(on);
    registers_->setEnabled(!on);
    interval_->setEnabled(!on);
    exportCsv_->setEnabled(!samples_.empty());
    exportPng_->setEnabled(!samples_.empty());
}

void LiveChart::startRecording()
{
    QList<int> rows;
    for (int row = 0; row < registers_->count(); ++row)
        if (registers_->item(row)->checkState() == Qt::Checked)
            rows.append(row);
    if (rows.isEmpty()) {
        QMessageBox::information(this, tr("Chart"), tr("Choose at least one register to record."));
        return;
    }
    for (QLineSeries* series : std::as_const(series_)) {
        chart_->removeSeries(series);
        delete series;
    }
    series_.clear();
    samples_.clear();
    rows_ = rows;
    for (int row : std::as_const(rows_)) {
        auto* series = new QLineSeries(chart_);
        series->setName(QString::fromLatin1(paramtbl[static_cast<std::size_t>(row)].name));
        chart_->addSeries(series);
        series->attachAxis(timeAxis_);
        series->attachAxis(valueAxis_);
        series_.append(series);
    }
    timeAxis_->setRange(0, kFirstSecondsShown);
    since_ = Clock::now();
    timer_->start(interval_->value());
    updateActions();
    emit sampleWanted(rows_, since_);
}

void LiveChart::stopRecording()
{
    timer_->stop();
    updateActions();
}

void LiveChart::addSample(double seconds, const QList<quint32>& values)
{
    if (values.size() != series_.size())
        return;
    samples_.push_back({seconds, values});
    const auto [low, high] = std::ranges::minmax(values);
    lowest_ = samples_.size() == 1 ? low : std::min(lowest_, low);
    highest_ = samples_.size() == 1 ? high : std::max(highest_, high);
    for (qsizetype k = 0; k < series_.size(); ++k) {
        QLineSeries* series = series_[k];
        series->append(seconds, values[k]);
        if (series->count() > kPointsShown)
            series->removePoints(0, series->count() - kPointsShown);
    }
    showRange(seconds);
    updateActions();
}

void LiveChart::showRange(double seconds)
{
    timeAxis_->setRange(std::max(0.0, seconds - kSecondsShown), std::max(seconds, kFirstSecondsShown));
    // A flat line sits in the middle of the chart rather than on its edge.
    const double margin = std::max(1.0, (highest_ - lowest_) * 0.05);
    valueAxis_->setRange(std::max(0.0, lowest_ - margin), highest_ + margin);
}

std::string LiveChart::csvText() const
{
    std::string text = "time_s";
    for (int row : rows_) {
        text += ',';
        text += paramtbl[static_cast<std::size_t>(row)].name;
    }
    text += '\n';
    for (const ChartSample& sample : samples_) {
        char time[32];
        std::snprintf(time, sizeof time, "%.3f", sample.seconds);
        text += time;
        for (quint32 value : sample.values) {
            text += ',';
            text += std::to_string(value);
        }
        text += '\n';
    }
    return text;
}

void LiveChart::chooseAndExportCsv()
{
    const QString path = files_.save(this, tr("Export CSV"), tr("CSV files (*.csv)"), QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    if (!replaceFileContents(QFile::encodeName(path).constData(), csvText()))
        QMessageBox::critical(this, tr("Chart"), tr("The file %1 cannot be written.").arg(path));
}

void LiveChart::chooseAndExportPng()
{
    const QString path = files_.save(this, tr("Export PNG"), tr("PNG images (*.png)"), QStringLiteral("png"));
    if (path.isEmpty())
        return;
    if (!view_->grab().save(path, "PNG"))
        QMessageBox::critical(this, tr("Chart"), tr("The file %1 cannot be written.").arg(path));
}
