// The parameter list: one row per register of paramtbl with its name, its
// address, its RAM value as last read and the FLASH value staged for it.
// Several rows can be selected; the edit dialogs act on the lowest.
#pragma once

#include "ops/flash_column.h"

#include <QByteArray>
#include <QTableWidget>

#include <string_view>

class ParamTable : public QTableWidget {
    Q_OBJECT
public:
    enum Column { NameColumn, AddressColumn, RamColumn, FlashColumnIndex };

    explicit ParamTable(QWidget* parent);

    // The address and RAM cells of every row from the servo's register
    // memory (96 bytes); names and FLASH cells stay.
    void showMemory(const QByteArray& memory);

    const FlashColumn& staged() const { return staged_; }
    void setStaged(const FlashColumn& column);
    // An empty text empties the cell: nothing staged for that register.
    void stage(int row, std::string_view text);

    // The lowest selected row, or -1.
    int selectedRow() const;
    QString ramText(int row) const;

signals:
    // Wherever in the list the click falls, on a row or not.
    void menuRequested(const QPoint& globalPosition);
    void doubleClickedAnywhere();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void setCell(int row, int column, const QString& text);

    FlashColumn staged_;
};
