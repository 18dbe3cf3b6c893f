#include "qt/scan_dialog.h"

#include "ops/selector_choices.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

namespace {

enum Column { IdColumn, PartColumn, VersionColumn, BaudColumn };
constexpr int kWidthInCharacters = 82;

QString hexId(int id)
{
    return QStringLiteral("%1").arg(id, 2, 16, QLatin1Char('0')).toUpper();
}

QString hexWord(uint32_t value)
{
    return QStringLiteral("0x") + QString::number(value, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

}  // namespace

ScanDialog::ScanDialog(QWidget* parent) : QDialog(parent), stop_(std::make_shared<std::atomic<bool>>(false))
{
    setWindowTitle(tr("Scan"));
    setObjectName(QStringLiteral("scanDialog"));

    inForce_ = new QRadioButton(tr("At the baud rate in force"), this);
    inForce_->setChecked(true);
    allRates_ = new QRadioButton(tr("At all six baud rates"), this);
    allRates_->setObjectName(QStringLiteral("scanAllRates"));
    results_ = new QTreeWidget(this);
    results_->setObjectName(QStringLiteral("scanResults"));
    results_->setHeaderLabels({tr("ID"), tr("SYS_PN"), tr("SYS_VER"), tr("Bits/s")});
    results_->setRootIsDecorated(false);
    results_->setUniformRowHeights(true);
    results_->header()->setSectionResizeMode(QHeaderView::Stretch);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("scanProgress"));
    progress_->setValue(0);
    status_ = new QLabel(tr("Choose the baud rates and start the scan."), this);
    status_->setObjectName(QStringLiteral("scanStatus"));
    scan_ = new QPushButton(tr("Scan"), this);
    scan_->setObjectName(QStringLiteral("scanButton"));
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("scanCancelButton"));
    use_ = new QPushButton(tr("Use this servo"), this);
    use_->setObjectName(QStringLiteral("scanUseButton"));
    use_->setDefault(true);
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("scanCloseButton"));
    close->setAutoDefault(false);

    auto* rates = new QHBoxLayout;
    rates->addWidget(inForce_);
    rates->addWidget(allRates_);
    rates->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(scan_);
    buttons->addWidget(cancel_);
    buttons->addStretch(1);
    buttons->addWidget(use_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(rates);
    layout->addWidget(results_, 1);
    layout->addWidget(progress_);
    layout->addWidget(status_);
    layout->addLayout(buttons);

    // Wide enough for a line that says why an answer is not listed.
    resize(std::max(sizeHint().width(), fontMetrics().averageCharWidth() * kWidthInCharacters), sizeHint().height());

    connect(scan_, &QPushButton::clicked, this, &ScanDialog::startScan);
    connect(cancel_, &QPushButton::clicked, this, [this] { stop_->store(true); });
    connect(use_, &QPushButton::clicked, this, &ScanDialog::chooseSelected);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(results_, &QTreeWidget::itemSelectionChanged, this, &ScanDialog::updateButtons);
    connect(results_, &QTreeWidget::itemDoubleClicked, this, &ScanDialog::chooseSelected);
    updateButtons();
}

void ScanDialog::updateButtons()
{
    scan_->setEnabled(!scanning_);
    inForce_->setEnabled(!scanning_);
    allRates_->setEnabled(!scanning_);
    cancel_->setEnabled(scanning_);
    const QTreeWidgetItem* item = results_->currentItem();
    use_->setEnabled(item != nullptr && item->isSelected() && item->data(IdColumn, Qt::UserRole).isValid());
}

void ScanDialog::startScan()
{
    results_->clear();
    found_ = 0;
    stop_->store(false);
    scanning_ = true;
    QList<int> rates;
    if (allRates_->isChecked())
        for (const char* rate : kBaudChoices)
            rates.append(std::atoi(rate));
    progress_->setRange(0, kServoIdCount * static_cast<int>(std::max<qsizetype>(1, rates.size())));
    progress_->setValue(0);
    status_->clear();
    updateButtons();
    emit scanWanted(rates);
}

void ScanDialog::showProbe(int id, int baud)
{
    if (!scanning_)
        return;
    progress_->setValue(progress_->value() + 1);
    status_->setText(tr("Trying ID %1 at %2 bits/s").arg(hexId(id)).arg(baud));
}

// Garbled, short and late answers get a line that says so, never a servo's
// values: what came is not the servo's.
void ScanDialog::addFind(const orvelin::ScanFind& find, int baud)
{
    if (!scanning_)
        return;
    auto* item = new QTreeWidgetItem(results_);
    if (!find.outcome.ok()) {
        item->setText(IdColumn, untrustedText(find, baud));
        item->setToolTip(IdColumn, item->text(IdColumn));
        item->setIcon(IdColumn, style()->standardIcon(QStyle::SP_MessageBoxWarning));
        item->setFlags(Qt::NoItemFlags);
        item->setFirstColumnSpanned(true);
        return;
    }
    ++found_;
    item->setText(IdColumn, hexId(find.outcome.id));
    item->setText(PartColumn, hexWord(find.partNumber));
    item->setText(VersionColumn, hexWord(find.version));
    item->setText(BaudColumn, QString::number(baud));
    item->setData(IdColumn, Qt::UserRole, find.outcome.id);
    item->setData(BaudColumn, Qt::UserRole, baud);
    if (found_ == 1)
        results_->setCurrentItem(item);
}

QString ScanDialog::untrustedText(const orvelin::ScanFind& find, int baud) const
{
    const QString id = hexId(find.outcome.id);
    if (find.late)
        return tr("ID %1 at %2 bits/s: a late answer; not used").arg(id).arg(baud);
    if (find.namedId >= 0)
        return tr("ID %1 at %2 bits/s: the answer names ID %3; not used").arg(id).arg(baud).arg(hexId(find.namedId));
    if (find.outcome.status == orvelin::Status::ShortReply)
        return tr("ID %1 at %2 bits/s: %3 of %4 bytes; not used")
            .arg(id)
            .arg(baud)
            .arg(find.outcome.received)
            .arg(find.outcome.expected);
    return tr("ID %1 at %2 bits/s: garbled, %3 bytes too many; not used").arg(id).arg(baud).arg(find.outcome.stray);
}

void ScanDialog::finish(bool portOpened)
{
    if (!scanning_)
        return;
    scanning_ = false;
    if (!portOpened)
        status_->setText(tr("The port cannot be opened."));
    else if (stop_->load())
        status_->setText(tr("Stopped. Servos found: %1").arg(found_));
    else
        status_->setText(tr("Servos found: %1").arg(found_));
    updateButtons();
}

void ScanDialog::chooseSelected()
{
    const QTreeWidgetItem* item = results_->currentItem();
    if (item == nullptr || !item->data(IdColumn, Qt::UserRole).isValid())
        return;
    emit servoChosen(item->data(IdColumn, Qt::UserRole).toInt(), item->data(BaudColumn, Qt::UserRole).toInt());
    accept();
}

void ScanDialog::done(int result)
{
    stop_->store(true);
    QDialog::done(result);
}
