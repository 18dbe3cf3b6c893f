// Tools → Scan: which servos answer on the port in force, at its baud rate
// or at each of the baud selector's six, with their SYS_PN and SYS_VER; the
// operator picks one for the window's selectors. The scan itself runs on
// the worker's thread: the dialog shows each probe and answer as it comes.
#pragma once

#include "orvelin/scan.h"

#include <QDialog>
#include <QList>

#include <atomic>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTreeWidget;

class ScanDialog : public QDialog {
    Q_OBJECT
public:
    using StopFlag = std::shared_ptr<std::atomic<bool>>;

    explicit ScanDialog(QWidget* parent);

    // Set by Cancel and by closing the dialog: the scan stops before its next probe.
    const StopFlag& stopFlag() const { return stop_; }

    void showProbe(int id, int baud);
    void addFind(const orvelin::ScanFind& find, int baud);
    void finish(bool portOpened);
    void done(int result) override;

signals:
    // rates: the baud rates to scan at; none for the rate in force.
    void scanWanted(const QList<int>& rates);
    void servoChosen(int id, int baud);

private:
    void startScan();
    void chooseSelected();
    void updateButtons();
    QString untrustedText(const orvelin::ScanFind& find, int baud) const;

    QRadioButton* inForce_;
    QRadioButton* allRates_;
    QTreeWidget* results_;
    QProgressBar* progress_;
    QLabel* status_;
    QPushButton* scan_;
    QPushButton* cancel_;
    QPushButton* use_;
    StopFlag stop_;
    bool scanning_ = false;
    int found_ = 0;
};
