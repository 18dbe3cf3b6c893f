// A live chart of chosen registers: a read-all at the interval the operator
// picks, each register's value against the seconds since recording began,
// exportable as CSV (the columns orvelin watch --csv writes) and PNG.
#pragma once

#include "file_chooser.h"

#include <QList>
#include <QWidget>

#include <chrono>
#include <string>
#include <vector>

class QAction;
class QChart;
class QChartView;
class QLineSeries;
class QListWidget;
class QSpinBox;
class QTimer;
class QValueAxis;

struct ChartSample {
    double seconds;
    QList<quint32> values;  // one per recorded register, in their order
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
    // time_s and a column per recorded register, a line per sample, LF ends.
    std::string csvText() const;

    void startRecording();
    void stopRecording();
    // A sample the worker took for this recording.
    void addSample(double seconds, const QList<quint32>& values);

signals:
    // Every interval while recording: the window queues the read.
    void sampleWanted(const QList<int>& rows, Clock::time_point since);

private:
    void chooseAndExportCsv();
    void chooseAndExportPng();
    void showRange(double seconds);
    void updateActions();

    QListWidget* registers_;
    QSpinBox* interval_;
    QChart* chart_;
    QChartView* view_;
    QValueAxis* timeAxis_;
    QValueAxis* valueAxis_;
    QTimer* timer_;
    QAction* start_;
    QAction* stop_;
    QAction* exportCsv_;
    QAction* exportPng_;

    QList<int> rows_;
    QList<QLineSeries*> series_;
    std::vector<ChartSample> samples_;
    Clock::time_point since_;
    quint32 lowest_ = 0;
    quint32 highest_ = 0;
    FileChooser files_;
};
