// Where the dialog templates put their controls, in dialog units: x, y,
// width, height, one line per control in template order, and each
// template's size. orvelin.rc and the Qt window both take their places from
// here, so a control moved here moves in both. Numbers only: windres reads
// this through the C preprocessor, and the Qt window includes it.
// A drop-down's height is the height its list opens to.
#pragma once

// Main window, template 101 (IDD_MAIN).
#define MAIN_SIZE 255, 215
#define MAIN_CONNECT_RECT        103,   4,  36,  29  // IDC_CONNECT: Connect button
#define MAIN_ID_LABEL_RECT       184,   4,  14,  12  // IDC_STATIC: label of the servo ID
#define MAIN_ID_RECT             203,   4,  48, 118  // IDC_ID: servo ID drop-down
#define MAIN_COMMAND_LABEL_RECT    4,  35,  48,  12  // IDC_STATIC: label of the command field
#define MAIN_COMMAND_RECT         53,  35, 115,  12  // IDC_COMMAND: command field
#define MAIN_SEND_RECT           215,  33,  36,  14  // IDC_SEND: Send button
#define MAIN_PARAM_LIST_RECT       4,  49, 247, 146  // IDC_PARAM_LIST: parameter list
#define MAIN_CLEAR_RECT            4, 197,  31,  14  // IDC_CLEAR: Clear settings button
#define MAIN_REFRESH_RECT         38, 197,  31,  14  // IDC_REFRESH: Read button
#define MAIN_WRITE_RECT           73, 197,  31,  14  // IDC_WRITE: Write FLASH button
#define MAIN_EXIT_RECT           215, 197,  36,  14  // IDC_EXIT: Exit button
#define MAIN_DISCONNECT_RECT     141,   4,  36,  29  // IDC_DISCONNECT: Disconnect button
#define MAIN_PORT_LABEL_RECT       4,   4,  48,  12  // IDC_STATIC: label of the serial port
#define MAIN_PORT_RECT            53,   4,  48,  92  // IDC_PORT: serial port drop-down
#define MAIN_BAUD_LABEL_RECT       4,  20,  48,  12  // IDC_STATIC: label of the baud rate
#define MAIN_BAUD_RECT            53,  20,  48,  80  // IDC_BAUD: baud rate drop-down

// RAM and FLASH edit dialogs, templates 108 (IDD_EDIT) and 113
// (IDD_EDIT_FLASH): one arrangement for both, as the Qt window has one dialog.
#define EDIT_SIZE 118, 93
#define EDIT_VALUE_RECT            7,  52, 104,  14  // IDC_EDIT_VALUE, IDC_FLASH_VALUE: value field
#define EDIT_OK_RECT               7,  72,  50,  14  // IDOK: OK button
#define EDIT_CANCEL_RECT          61,  72,  50,  14  // IDCANCEL: Cancel button
#define EDIT_NAME_LABEL_RECT       7,   7,  18,   8  // IDC_STATIC: label of the name
#define EDIT_NAME_RECT             7,  19, 104,  14  // IDC_EDIT_NAME, IDC_FLASH_NAME: register's name, read-only
#define EDIT_DATA_LABEL_RECT       7,  40,  30,   8  // IDC_STATIC: label of the value

// Options dialog, template 114 (IDD_OPTION).
#define OPTION_SIZE 187, 59
#define OPTION_OK_RECT           130,   7,  50,  14  // IDOK: OK button
#define OPTION_CANCEL_RECT       130,  24,  50,  14  // IDCANCEL: Cancel button
#define OPTION_PORT_LABEL_RECT     8,  24,  48,  12  // IDC_STATIC: label of the serial port
#define OPTION_PORT_RECT          57,  24,  48,  92  // IDC_OPTION_PORT: serial port drop-down
#define OPTION_BAUD_LABEL_RECT     8,  40,  48,  12  // IDC_STATIC: label of the baud rate
#define OPTION_BAUD_RECT          57,  40,  48,  80  // IDC_OPTION_BAUD: baud rate drop-down
#define OPTION_HEADING_RECT        7,   7,  48,  12  // IDC_STATIC: heading of the start-up settings
