// A live chart of chosen registers of one servo or several: a read of their
// blocks at the interval the operator picks, each register's value against
// the seconds since recording began, exportable as CSV (the columns orvelin
// watch --csv writes) and PNG. A servo whose reply was not whole is a gap in
// its lines.
#pragma once

#include "orvelin/outcome.h"
#include "qt/file_chooser.h"

#include <QList>
#include <QWidget>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QChart;
class QChartView;
class QLabel;
class QLineEdit;
class QLineSeries;
class QListWidget;
class QSpinBox;
class QTimer;
class QValueAxis;

struct ChartSample {
    double seconds;
    // One per line (each servo's registers, in their order); none where the
    // servo's reply was not whole.
    QList<std::optional<quint32>> values;
};

class LiveChart : public QWidget {
    Q_OBJECT
public:
    using Clock = std::chrono::steady_clock;

    explicit LiveChart(QWidget* parent);

    QAction* startAction() const { return start_; }
    QAction* stopAction() const { return stop_; }
    QAction* exportCsvAction() const { return exportCsv_; }
    QAction* exportPngAction() const { return exportPng_; }

    bool recording() const;
    const std::vector<ChartSample>& samples() const { return samples_; }
    // time_s and a column per line, named as the lines are, a line per
    // sample, LF ends.
    std::string csvText() const;

    void startRecording();
    void stopRecording();
    // A sample the worker took for this recording: a value per line; a
    // servo missed is a gap in its lines, and the note says why.
    void addSample(double seconds, const QList<std::optional<quint32>>& values, const QList<orvelin::Outcome>& missed);

signals:
    // Every interval while recording: the window queues the read. No IDs:
    // the one the window's ID selector shows.
    void sampleWanted(const QList<int>& rows, const QList<int>& ids, Clock::time_point since);

private:
    void chooseAndExportCsv();
    void chooseAndExportPng();
    qsizetype servoCount() const;
    QString lineName(qsizetype line) const;
    void startSegments(qsizetype servo, double seconds);
    void showRange(double seconds);
    static QString missText(const orvelin::Outcome& outcome);
    void updateActions();

    QListWidget* registers_;
    QLineEdit* idsField_;
    QSpinBox* interval_;
    QChart* chart_;
    QChartView* view_;
    QLabel* missNote_;
    QValueAxis* timeAxis_;
    QValueAxis* valueAxis_;
    QTimer* timer_;
    QAction* start_;
    QAction* stop_;
    QAction* exportCsv_;
    QAction* exportPng_;

    QList<int> rows_;
    QList<int> ids_;              // none: the ID selector's
    QList<QLineSeries*> series_;  // the segments the next sample extends, one per line
    QList<bool> gaps_;            // per servo: its last sample was missed
    bool ranged_ = false;
    std::vector<ChartSample> samples_;
    Clock::time_point since_;
    quint32 lowest_ = 0;
    quint32 highest_ = 0;
    FileChooser files_;
};
