// The parameter list: one row per register with its name, address, RAM
// value and the FLASH value staged for it, and the refresh from the servo.
#include "link/registers.h"
#include "ui/resources/resource.h"
#include "link/term.h"
#include "ui/window.h"

#include <commctrl.h>

namespace {

constexpr int kMaxRows = 256;
constexpr DWORD kGridAndFullRow = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
constexpr int kNameColumn = 0;
constexpr int kAddressColumn = 1;
constexpr int kRamColumn = 2;
constexpr int kFlashColumn = 3;
constexpr int kCellTextSize = 16;

struct Column {
    int format;
    int width;
    const wchar_t* header;
};
constexpr Column kColumns[] = {
    {LVCFMT_LEFT, 100, L"名前"},
    {LVCFMT_CENTER, 64, L"アドレス"},
    {LVCFMT_RIGHT, 96, L"RAM"},
    {LVCFMT_RIGHT, 96, L"FLASH"},
};

HWND paramList(HWND hwnd)
{
    return GetDlgItem(hwnd, IDC_PARAM_LIST);
}

bool isRegisterRow(int row)
{
    return row < kMaxRows && paramtbl[row].size != 0;
}

void setCell(HWND list, int row, int column, const char* text)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text);
    SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

// Address and RAM value of a row, from param as last read.
void showRegister(HWND list, int row)
{
    char text[kCellTextSize];
    formatAddressText(text, sizeof text, paramtbl[row].address);
    setCell(list, row, kAddressColumn, text);
    formatValueText(text, sizeof text, paramValue(row), paramtbl[row].size);
    setCell(list, row, kRamColumn, text);
}

void insertColumns(HWND list)
{
    int subItem = 0;
    for (const Column& c : kColumns) {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = c.format;
        column.cx = c.width;
        column.pszText = const_cast<wchar_t*>(c.header);
        column.iSubItem = subItem;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(subItem), reinterpret_cast<LPARAM>(&column));
        ++subItem;
    }
}

}  // namespace

void buildParamList(HWND hwnd)
{
    InitCommonControls();
    HWND list = paramList(hwnd);
    auto styles = static_cast<DWORD>(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, styles | kGridAndFullRow);
    insertColumns(list);
    for (int row = 0; isRegisterRow(row); ++row) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.iSubItem = kNameColumn;
        item.pszText = const_cast<char*>(paramtbl[row].name);
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        showRegister(list, row);
        setCell(list, row, kFlashColumn, "");
    }
}

int readToSerial(HWND hwnd)
{
    char line[kCommandBufferMin] = "R";
    mainCmd(hwnd, line);
    HWND list = paramList(hwnd);
    for (int row = 0; isRegisterRow(row); ++row)
        showRegister(list, row);
    return 0;
}

int selectedParamRow(HWND hwnd)
{
    return static_cast<int>(
        SendMessageW(paramList(hwnd), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}

void getFlashCell(HWND hwnd, int row, char* out, int outSize)
{
    out[0] = '\0';
    LVITEMA item{};
    item.iSubItem = kFlashColumn;
    item.pszText = out;
    item.cchTextMax = outSize;
    SendMessageA(paramList(hwnd), LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    // A text longer than the buffer may fill it without a terminator.
    out[outSize - 1] = '\0';
}

void setFlashCell(HWND hwnd, int row, const char* text)
{
    setCell(paramList(hwnd), row, kFlashColumn, text);
}

FlashColumn stagedColumn(HWND hwnd)
{
    FlashColumn column;
    for (int row = 0; isRegisterRow(row); ++row) {
        char cell[kFlashCellSize];
        getFlashCell(hwnd, row, cell, sizeof cell);
        column.set(row, cell);
    }
    return column;
}

void showStagedColumn(HWND hwnd, const FlashColumn& column)
{
    for (int row = 0; isRegisterRow(row); ++row) {
        const std::string& text = column.cell(row);
        setFlashCell(hwnd, row, text.empty() ? nullptr : text.c_str());
    }
}
