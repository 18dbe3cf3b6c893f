// The window's widgets: template 101's controls at their places and in its
// tab order, the menus of menu 104 and the list's pop-up (menu 112), the
// View menu and the two panes it shows, and the status bar.
#include "ops/command_lines.h"
#include "qt/baud_selector.h"
#include "qt/dialog_units.h"
#include "qt/live_chart.h"
#include "qt/main_window.h"
#include "qt/param_table.h"
#include "qt/port_selector.h"
#include "ops/selector_choices.h"
#include "qt/trace_pane.h"
#include "ui/resources/template_places.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QStatusBar>
#include <QTimer>

namespace {

// Room a push button's frame takes beside its caption.
constexpr int kButtonPadding = 8;

using Pin = TemplateLayout::Pin;

QLabel* centredLabel(const QString& text, const QRect& place, TemplateLayout* layout, Pin across = Pin::Stay)
{
    auto* label = new QLabel(text, layout->parentWidget());
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label, place, across, Pin::Stay);
    fitCaption(label, text, 0);
    return label;
}

QPushButton* button(const QString& text, const QString& name, const QRect& place, TemplateLayout* layout, Pin across,
                    Pin down)
{
    auto* pushButton = new QPushButton(text, layout->parentWidget());
    pushButton->setObjectName(name);
    layout->addWidget(pushButton, place, across, down);
    pushButton->setAutoDefault(false);
    fitCaption(pushButton, text, kButtonPadding);
    return pushButton;
}

QAction* action(QMenu* menu, const QString& text, const QString& name)
{
    QAction* item = menu->addAction(text);
    item->setObjectName(name);
    return item;
}

}  // namespace

void MainWindow::buildTemplateArea()
{
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("templateArea"));
    setCentralWidget(area);
    const DialogUnits units(font());
    // The template's size at first; a larger window gives its room to the
    // list and the fields, the controls right and below moving with the edges.
    auto* layout = new TemplateLayout(area, units.size(MAIN_SIZE));

    // Template order, which is also the tab order.
    connect_ = button(tr("Connect"), QStringLiteral("connectButton"), units.rect(MAIN_CONNECT_RECT), layout, Pin::Move,
                      Pin::Stay);
    centredLabel(tr("ID"), units.rect(MAIN_ID_LABEL_RECT), layout, Pin::Move);
    id_ = new QComboBox(area);
    id_->setObjectName(QStringLiteral("idSelector"));
    layout->addWidget(id_, units.dropDown(MAIN_ID_RECT), Pin::Move, Pin::Stay);
    for (int n = 0; n < kServoIdCount; ++n)
        id_->addItem(QString::number(n, 16).toUpper());
    id_->setCurrentIndex(kDefaultServoId);
    centredLabel(tr("Command"), units.rect(MAIN_COMMAND_LABEL_RECT), layout);
    command_ = new QLineEdit(area);
    command_->setObjectName(QStringLiteral("commandField"));
    layout->addWidget(command_, units.rect(MAIN_COMMAND_RECT), Pin::Grow, Pin::Stay);
    send_ = button(tr("Send"), QStringLiteral("sendButton"), units.rect(MAIN_SEND_RECT), layout, Pin::Move, Pin::Stay);
    table_ = new ParamTable(area);
    table_->setObjectName(QStringLiteral("paramTable"));
    layout->addWidget(table_, units.rect(MAIN_PARAM_LIST_RECT), Pin::Grow, Pin::Grow);
    clear_ = button(tr("Clear"), QStringLiteral("clearButton"), units.rect(MAIN_CLEAR_RECT), layout, Pin::Stay,
                    Pin::Move);
    refresh_ = button(tr("Read"), QStringLiteral("refreshButton"), units.rect(MAIN_REFRESH_RECT), layout, Pin::Stay,
                      Pin::Move);
    write_ = button(tr("Write"), QStringLiteral("writeButton"), units.rect(MAIN_WRITE_RECT), layout, Pin::Stay,
                    Pin::Move);
    exit_ = button(tr("Exit"), QStringLiteral("exitButton"), units.rect(MAIN_EXIT_RECT), layout, Pin::Move, Pin::Move);
    disconnect_ = button(tr("Disconnect"), QStringLiteral("disconnectButton"), units.rect(MAIN_DISCONNECT_RECT), layout,
                         Pin::Move, Pin::Stay);
    centredLabel(tr("Serial port"), units.rect(MAIN_PORT_LABEL_RECT), layout);
    port_ = new PortSelector(area);
    port_->setObjectName(QStringLiteral("portSelector"));
    // The field widens with the window until a by-id path shows whole.
    layout->addWidget(port_, units.dropDown(MAIN_PORT_RECT), Pin::Grow, Pin::Stay);
    // While it is narrow, the whole path shows on hovering.
    connect(port_, &QComboBox::currentTextChanged, port_, &QWidget::setToolTip);
    centredLabel(tr("Bits/s"), units.rect(MAIN_BAUD_LABEL_RECT), layout);
    baud_ = new BaudSelector(area);
    baud_->setObjectName(QStringLiteral("baudSelector"));
    layout->addWidget(baud_, units.dropDown(MAIN_BAUD_RECT), Pin::Stay, Pin::Stay);

    QWidget* const order[] = {connect_, id_, command_, send_, table_, clear_, refresh_, write_, exit_, disconnect_,
                              port_, baud_};
    for (std::size_t k = 0; k + 1 < std::size(order); ++k)
        setTabOrder(order[k], order[k + 1]);

    // Enter in the command field sends nothing; only Send does.
    command_->setMaxLength(kCommandTextMax);
    connect(connect_, &QPushButton::clicked, this, &MainWindow::connectPort);
    connect(disconnect_, &QPushButton::clicked, this, &MainWindow::disconnectPort);
    connect(send_, &QPushButton::clicked, this, &MainWindow::sendTyped);
    connect(refresh_, &QPushButton::clicked, this, &MainWindow::refresh);
    connect(clear_, &QPushButton::clicked, this, &MainWindow::clearSettings);
    connect(write_, &QPushButton::clicked, this, &MainWindow::writeFlash);
    connect(exit_, &QPushButton::clicked, this, &MainWindow::close);
    connect(table_, &ParamTable::doubleClickedAnywhere, this, &MainWindow::editRam);
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    connect(action(file, tr("&Open"), QStringLiteral("openAction")), &QAction::triggered, this,
            &MainWindow::loadFlashFile);
    connect(action(file, tr("&Save"), QStringLiteral("saveAction")), &QAction::triggered, this,
            &MainWindow::saveFlashFile);
    connect(action(file, tr("E&xit"), QStringLiteral("exitAction")), &QAction::triggered, this, &MainWindow::close);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    readRamAction_ = action(edit, tr("Read from RAM"), QStringLiteral("readRamAction"));
    writeFlashAction_ = action(edit, tr("Write FLASH"), QStringLiteral("writeFlashAction"));
    clearSettingsAction_ = action(edit, tr("Clear settings"), QStringLiteral("clearSettingsAction"));
    connect(readRamAction_, &QAction::triggered, this, &MainWindow::refresh);
    connect(writeFlashAction_, &QAction::triggered, this, &MainWindow::writeFlash);
    connect(clearSettingsAction_, &QAction::triggered, this, &MainWindow::clearSettings);

    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    connect(action(tools, tr("&Options"), QStringLiteral("optionsAction")), &QAction::triggered, this,
            &MainWindow::openOptions);
    updateAction_ = action(tools, tr("Firmware update"), QStringLiteral("updateAction"));
    connect(updateAction_, &QAction::triggered, this, &MainWindow::updateFirmware);
    scanAction_ = action(tools, tr("&Scan..."), QStringLiteral("scanAction"));
    connect(scanAction_, &QAction::triggered, this, &MainWindow::openScan);

    // The list's pop-up, wherever in the list the right click falls.
    auto* listMenu = new QMenu(this);
    listMenu->setObjectName(QStringLiteral("listMenu"));
    flashInputAction_ = action(listMenu, tr("Enter FLASH value"), QStringLiteral("flashInputAction"));
    connect(flashInputAction_, &QAction::triggered, this, &MainWindow::editFlash);
    connect(table_, &ParamTable::menuRequested, listMenu, [listMenu](const QPoint& at) { listMenu->popup(at); });
}

void MainWindow::buildPanes()
{
    trace_ = new TracePane(this);
    trace_->setObjectName(QStringLiteral("tracePane"));
    traceDock_ = new QDockWidget(tr("Trace"), this);
    traceDock_->setObjectName(QStringLiteral("traceDock"));
    traceDock_->setWidget(trace_);
    addDockWidget(Qt::BottomDockWidgetArea, traceDock_);
    traceDock_->hide();

    chart_ = new LiveChart(this);
    chart_->setObjectName(QStringLiteral("liveChart"));
    chartDock_ = new QDockWidget(tr("Chart"), this);
    chartDock_->setObjectName(QStringLiteral("chartDock"));
    chartDock_->setWidget(chart_);
    addDockWidget(Qt::RightDockWidgetArea, chartDock_);
    chartDock_->hide();

    QMenu* view = menuBar()->addMenu(tr("&View"));
    QAction* showTrace = traceDock_->toggleViewAction();
    showTrace->setObjectName(QStringLiteral("traceAction"));
    view->addAction(showTrace);
    wireAction_ = action(view, tr("Show packets"), QStringLiteral("wireAction"));
    wireAction_->setCheckable(true);
    view->addSeparator();
    QAction* showChart = chartDock_->toggleViewAction();
    showChart->setObjectName(QStringLiteral("chartAction"));
    view->addAction(showChart);
    view->addAction(chart_->startAction());
    view->addAction(chart_->stopAction());
    view->addAction(chart_->exportCsvAction());
    view->addAction(chart_->exportPngAction());
    for (QDockWidget* dock : {traceDock_, chartDock_})
        connect(dock, &QDockWidget::visibilityChanged, this, [this] { QTimer::singleShot(0, this, &MainWindow::fitToPanes); });

    // The window's edges resize it; the status bar stays as plain as the Win32 one.
    statusBar()->setSizeGripEnabled(false);
    status_ = new QLabel(this);
    statusBar()->addWidget(status_, 1);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("uploadProgress"));
    progress_->setFormat(tr("%v / %m chunks"));
    progress_->hide();
    statusBar()->addPermanentWidget(progress_);
}

// The window opens at the template's size, as the Win32 window does; a
// pane shown makes it at least as large as the pane needs.
void MainWindow::fitToPanes()
{
    resize(size().expandedTo(sizeHint()));
}

// The room beyond what the window needs is shared: each docked pane takes
// half of it along its own axis, the list the rest. A divider the operator
// dragged holds until the window is resized again.
void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    const QSize room = (size() - sizeHint()).expandedTo(QSize(0, 0));
    if (!chartDock_->isHidden() && !chartDock_->isFloating())
        resizeDocks({chartDock_}, {chartDock_->sizeHint().width() + room.width() / 2}, Qt::Horizontal);
    if (!traceDock_->isHidden() && !traceDock_->isFloating())
        resizeDocks({traceDock_}, {traceDock_->sizeHint().height() + room.height() / 2}, Qt::Vertical);
}
