#include "qt/live_chart.h"

#include "settings/file_replace.h"
#include "link/registers.h"
#include "ops/sample_columns.h"
#include "orvelin/servo_lists.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kDefaultRow = registerRow("M_POS");
constexpr int kDefaultIntervalMs = 100;
constexpr int kShortestIntervalMs = 20;
constexpr int kLongestIntervalMs = 60000;
// The chart keeps its latest points and the last minute in view; the CSV
// keeps every sample.
constexpr int kPointsShown = 3000;
constexpr double kSecondsShown = 60.0;
constexpr double kFirstSecondsShown = 10.0;

// The IDs of the list orvelin's --id takes ("1,2,5", "1-4"); blanks
// around the separators are forgiven in a field typed by hand.
std::optional<QList<int>> idList(const QString& text)
{
    QString compact = text;
    compact.remove(QRegularExpression(QStringLiteral("\\s*(?=[,-])|(?<=[,-])\\s*")));
    const std::optional<std::vector<int>> ids = orvelin::parseIdList(compact.toStdString());
    if (!ids)
        return std::nullopt;
    return QList<int>(ids->begin(), ids->end());
}

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
    idsField_ = new QLineEdit(this);
    idsField_->setObjectName(QStringLiteral("chartIds"));
    idsField_->setPlaceholderText(tr("Selected ID"));
    idsField_->setToolTip(tr("Hexadecimal IDs and ranges, such as 1,2,5 or 1-4; empty: the ID selected in the window"));
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
    missNote_ = new QLabel(this);
    missNote_->setObjectName(QStringLiteral("chartMissNote"));
    missNote_->hide();

    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, [this] { emit sampleWanted(rows_, ids_, since_); });

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
    controls->addWidget(new QLabel(tr("IDs"), this));
    controls->addWidget(idsField_);
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
    auto* plot = new QVBoxLayout;
    plot->addWidget(missNote_);
    plot->addWidget(view_, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(controls);
    layout->addLayout(plot, 1);
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
    idsField_->setEnabled(!on);
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
    const QString idsText = idsField_->text().trimmed();
    const std::optional<QList<int>> ids = idsText.isEmpty() ? QList<int>{} : idList(idsText);
    if (!ids) {
        QMessageBox::information(this, tr("Chart"),
                                 tr("%1 is not a list of IDs such as 1,2,5 or 1-4.").arg(idsText));
        return;
    }
    chart_->removeAllSeries();
    series_.clear();
    samples_.clear();
    rows_ = rows;
    ids_ = *ids;
    gaps_ = QList<bool>(servoCount(), false);
    for (qsizetype servo = 0; servo < servoCount(); ++servo)
        startSegments(servo, 0);
    ranged_ = false;
    missNote_->hide();
    timeAxis_->setRange(0, kFirstSecondsShown);
    since_ = Clock::now();
    timer_->start(interval_->value());
    updateActions();
    emit sampleWanted(rows_, ids_, since_);
}

void LiveChart::stopRecording()
{
    timer_->stop();
    updateActions();
}

void LiveChart::addSample(double seconds, const QList<std::optional<quint32>>& values, const QList<orvelin::Outcome>& missed)
{
    if (values.size() != series_.size())
        return;
    samples_.push_back({seconds, values});
    for (qsizetype servo = 0; servo < servoCount(); ++servo) {
        const qsizetype first = servo * rows_.size();
        if (!values[first]) {
            gaps_[servo] = true;
            continue;
        }
        if (gaps_[servo] && series_[first]->count() > 0)
            startSegments(servo, seconds);
        gaps_[servo] = false;
        for (qsizetype line = first; line < first + rows_.size(); ++line) {
            const quint32 value = *values[line];
            lowest_ = ranged_ ? std::min(lowest_, value) : value;
            highest_ = ranged_ ? std::max(highest_, value) : value;
            ranged_ = true;
            QLineSeries* series = series_[line];
            series->append(seconds, value);
            if (series->count() > kPointsShown)
                series->removePoints(0, series->count() - kPointsShown);
        }
    }
    QStringList notes;
    for (const orvelin::Outcome& outcome : missed)
        notes.append(missText(outcome));
    missNote_->setText(notes.join(QLatin1Char('\n')));
    missNote_->setVisible(!notes.isEmpty());
    showRange(seconds);
    updateActions();
}

QString LiveChart::missText(const orvelin::Outcome& outcome)
{
    const QString id = QStringLiteral("%1").arg(outcome.id, 2, 16, QLatin1Char('0')).toUpper();
    switch (outcome.status) {
    case orvelin::Status::ShortReply:
        return tr("ID %1: %2 of %3 bytes came").arg(id).arg(outcome.received).arg(outcome.expected);
    case orvelin::Status::StrayBytes:
        return tr("ID %1: stray bytes after the reply").arg(id);
    default:
        return tr("ID %1: no answer").arg(id);
    }
}

qsizetype LiveChart::servoCount() const
{
    return std::max<qsizetype>(1, ids_.size());
}

// M_POS, or 01:M_POS when several servos are recorded.
QString LiveChart::lineName(qsizetype line) const
{
    // No IDs of its own: the ID selector's one servo, named by the register alone.
    const bool several = ids_.size() > 1;
    return QString::fromStdString(
        seriesName(several ? ids_[line / rows_.size()] : 0, rows_[line % rows_.size()], several));
}

// A line per register of each servo; after a gap each of the servo's goes
// on as a new segment in the same colour, the legend naming only the
// newest. Segments out of view go, so that a servo that keeps missing does
// not pile up lines.
void LiveChart::startSegments(qsizetype servo, double seconds)
{
    const qsizetype first = servo * rows_.size();
    const QList<QLineSeries*> previous = series_.mid(first, rows_.size());
    for (QAbstractSeries* old : chart_->series()) {
        auto* line = static_cast<QLineSeries*>(old);
        const bool outOfView = line->count() == 0 || line->at(line->count() - 1).x() < seconds - kSecondsShown;
        if (outOfView && !series_.contains(line)) {
            chart_->removeSeries(line);
            delete line;
        }
    }
    for (qsizetype k = 0; k < rows_.size(); ++k) {
        auto* series = new QLineSeries(chart_);
        series->setName(lineName(first + k));
        chart_->addSeries(series);
        series->attachAxis(timeAxis_);
        series->attachAxis(valueAxis_);
        if (previous.isEmpty()) {
            series_.append(series);
            continue;
        }
        series->setColor(previous[k]->color());
        for (QLegendMarker* marker : chart_->legend()->markers(previous[k]))
            marker->setVisible(false);
        series_[first + k] = series;
    }
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
    std::string text(kTimeColumn);
    for (qsizetype line = 0; line < series_.size(); ++line) {
        text += ',';
        text += lineName(line).toStdString();
    }
    text += '\n';
    for (const ChartSample& sample : samples_) {
        char time[32];
        std::snprintf(time, sizeof time, "%.3f", sample.seconds);
        text += time;
        // A servo missed keeps the sample's time, its cells empty.
        for (const std::optional<quint32>& value : sample.values) {
            text += ',';
            if (value)
                text += std::to_string(*value);
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
