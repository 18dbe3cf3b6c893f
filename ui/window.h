// The operator window's shared entry points: the main dialog, the parameter
// list and the operations its buttons and menus start.
#pragma once

#include "ops/command_lines.h"
#include "ops/flash_column.h"
#include "ops/operator_texts.h"

#include <windows.h>

#include <string>

// The one file-name buffer of the three file dialogs; never cleared, so each
// dialog proposes the path chosen last in any of them.
inline constexpr int kFileNameSize = 260;
extern char fileName[kFileNameSize];

// Main window (main_window.cpp, init_dialog.cpp, command_line.cpp).
INT_PTR CALLBACK DlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
int initDialog(HWND hwnd);
int mainCmd(HWND hwnd, char* line);
int sendToSerial(HWND hwnd);
// mainCmd on this window, for the operations that send several lines.
LineSender windowSender(HWND hwnd);
// Creates and shows the main window as WinMain does; null when it cannot.
HWND createMainWindow(HINSTANCE instance);

// Connect and Disconnect (connection.cpp).
void connectPort(HWND hwnd);
void disconnectPort(HWND hwnd);

// Before the window (startup.cpp): the "serial_open" box for the link's
// fatal error, and the trace into the file ORVELIN_TRACE names, if any.
void installErrexitBox();
void openTraceFile();

// The staged values of this window are written beside servoconf.ini when a
// command cannot reach its port and the program must end (recovery.cpp).
void keepStagedValuesOf(HWND hwnd);
void saveStagedValuesForRecovery();

// Parameter list (param_list.cpp).
void buildParamList(HWND hwnd);
int readToSerial(HWND hwnd);
// Lowest selected row of the list, or -1.
int selectedParamRow(HWND hwnd);
// Column 3 of row `row`; out receives at most outSize-1 characters.
void getFlashCell(HWND hwnd, int row, char* out, int outSize);
// Sets column 3 of row `row`; a null text empties the cell.
void setFlashCell(HWND hwnd, int row, const char* text);
// The whole FLASH column, as the file menu loads and saves it, and back.
FlashColumn stagedColumn(HWND hwnd);
void showStagedColumn(HWND hwnd, const FlashColumn& column);

// The box texts the operations share with the Qt window, from UTF-8.
std::wstring wideText(const char* utf8);
int showBox(HWND owner, OperatorText text, OperatorText title, UINT type);

// Servo operations (servo_ops.cpp).
int clearFlash(HWND hwnd);
int setFlash(HWND hwnd);
void updateFirm(HWND hwnd, const char* path);
// Firmware file dialog, then updateFirm when a file was chosen.
void chooseAndUpdateFirmware(HWND hwnd);

// FLASH value files (file_menu.cpp).
void loadFlashFile(HWND hwnd);
void saveFlashFile(HWND hwnd);

// Dialogs (edit_dialogs.cpp, option_dialog.cpp).
INT_PTR CALLBACK EditDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EditFLASHDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK OptionDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
