// The operator window: the controls of template 101 at their places, the
// menus of menu 104, the three states of the controls, and the operations
// they start, run one after another on the command worker's thread. Beyond
// the Win32 window: a trace pane and a live chart, docked and hidden until
// the View menu shows them.
#pragma once

#include "qt/file_chooser.h"
#include "ops/operator_texts.h"

#include <QMainWindow>

#include <chrono>
#include <functional>

class BaudSelector;
class CommandWorker;
class LiveChart;
class ParamTable;
class PortSelector;
class QAction;
class QComboBox;
class QDockWidget;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QThread;
class TracePane;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // A command is queued or running.
    bool busy() const { return pending_ > 0; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    enum class State { Start, Connected, Disconnected };

    // main_window_layout.cpp
    void buildTemplateArea();
    void buildMenus();
    void buildPanes();
    void fitToPanes();

    // main_window.cpp
    void startWorker();
    void stopWorker();
    void applyState();
    int servoId();
    void queueCommand(std::function<void(CommandWorker&)> steps);
    void askOperator(OperatorText text, OperatorText title, bool error);
    void commandFinished();
    void showUploadProgress(int chunksSent, int chunksTotal);
    void queueSample(const QList<int>& rows, const QList<int>& ids, std::chrono::steady_clock::time_point since);

    // window_commands.cpp: what the buttons, menus and the list start.
    void connectPort();
    void disconnectPort();
    void sendTyped();
    void refresh();
    void clearSettings();
    void writeFlash();
    void updateFirmware();
    void editRam();
    void editFlash();
    void openOptions();
    void openScan();
    void useScannedServo(int id, int baud);
    // flash_files.cpp
    void loadFlashFile();
    void saveFlashFile();

    State state_ = State::Start;
    int pending_ = 0;
    bool sampling_ = false;
    bool closing_ = false;
    int lastId_;

    QThread* thread_;
    CommandWorker* worker_;
    FileChooser files_;

    QPushButton* connect_;
    QComboBox* id_;
    QLineEdit* command_;
    QPushButton* send_;
    ParamTable* table_;
    QPushButton* clear_;
    QPushButton* refresh_;
    QPushButton* write_;
    QPushButton* exit_;
    QPushButton* disconnect_;
    PortSelector* port_;
    BaudSelector* baud_;

    QAction* readRamAction_;
    QAction* writeFlashAction_;
    QAction* clearSettingsAction_;
    QAction* updateAction_;
    QAction* flashInputAction_;
    QAction* wireAction_;
    QAction* scanAction_;

    QDockWidget* traceDock_;
    TracePane* trace_;
    QDockWidget* chartDock_;
    LiveChart* chart_;
    QLabel* status_;
    QProgressBar* progress_;
};
