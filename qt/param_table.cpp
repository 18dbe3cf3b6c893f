#include "qt/param_table.h"

#include "link/registers.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMouseEvent>

#include <algorithm>

namespace {

constexpr int kCellTextSize = 16;

struct ColumnLook {
    Qt::Alignment alignment;
    int width;  // pixels, as the Win32 list's columns
};
constexpr ColumnLook kColumns[] = {
    {Qt::AlignLeft | Qt::AlignVCenter, 100},
    {Qt::AlignCenter, 64},
    {Qt::AlignRight | Qt::AlignVCenter, 96},
    {Qt::AlignRight | Qt::AlignVCenter, 96},
};

QString valueText(const QByteArray& memory, int row)
{
    const ParamDef& def = paramtbl[static_cast<std::size_t>(row)];
    unsigned char bytes[4] = {};
    for (int k = 0; k < def.size && def.address + k < memory.size(); ++k)
        bytes[k] = static_cast<unsigned char>(memory[def.address + k]);
    char text[kCellTextSize];
    formatValueText(text, sizeof text, decodeGroups(bytes, def.size), def.size);
    return QString::fromLatin1(text);
}

}  // namespace

ParamTable::ParamTable(QWidget* parent) : QTableWidget(kParamRows, 4, parent)
{
    setHorizontalHeaderLabels({tr("Name"), tr("Address"), tr("RAM"), tr("FLASH")});
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    for (int column = 0; column < 4; ++column) {
        setColumnWidth(column, kColumns[column].width);
        horizontalHeaderItem(column)->setTextAlignment(kColumns[column].alignment);
    }
    for (int row = 0; row < kParamRows; ++row) {
        for (int column = 0; column < 4; ++column) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(kColumns[column].alignment);
            setItem(row, column, item);
        }
        item(row, NameColumn)->setText(QString::fromLatin1(paramtbl[static_cast<std::size_t>(row)].name));
    }
    showMemory(QByteArray());
}

void ParamTable::setCell(int row, int column, const QString& text)
{
    item(row, column)->setText(text);
}

void ParamTable::showMemory(const QByteArray& memory)
{
    for (int row = 0; row < kParamRows; ++row) {
        char address[kCellTextSize];
        formatAddressText(address, sizeof address, paramtbl[static_cast<std::size_t>(row)].address);
        setCell(row, AddressColumn, QString::fromLatin1(address));
        setCell(row, RamColumn, valueText(memory, row));
    }
}

void ParamTable::setStaged(const FlashColumn& column)
{
    for (int row = 0; row < kParamRows; ++row)
        stage(row, column.cell(row));
}

void ParamTable::stage(int row, std::string_view text)
{
    if (row < 0 || row >= kParamRows)
        return;
    staged_.set(row, text);
    setCell(row, FlashColumnIndex, QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())));
}

int ParamTable::selectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return -1;
    return std::ranges::min_element(rows, {}, &QModelIndex::row)->row();
}

QString ParamTable::ramText(int row) const
{
    return item(row, RamColumn)->text();
}

void ParamTable::contextMenuEvent(QContextMenuEvent* event)
{
    emit menuRequested(event->globalPos());
}

void ParamTable::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClickedAnywhere();
}
