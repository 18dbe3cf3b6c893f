// Resource ids of the operator window: templates, menus, icon and controls.
#pragma once

// Templates, menus and icon.
#define IDD_MAIN 101
#define IDR_MAIN_MENU 104
#define IDD_EDIT 108
#define IDI_SERVO 109
#define IDR_LIST_MENU 112
#define IDD_EDIT_FLASH 113
#define IDD_OPTION 114

// Main window controls.
#define IDC_PORT 1000
#define IDC_BAUD 1001
#define IDC_CONNECT 1002
#define IDC_COMMAND 1003
#define IDC_ID 1004
#define IDC_DISCONNECT 1005
#define IDC_EXIT 1010
#define IDC_SEND 1011
#define IDC_PARAM_LIST 1012
#define IDC_REFRESH 1013
#define IDC_CLEAR 1014
#define IDC_WRITE 1015

// Main menu and list pop-up commands.
#define IDM_OPEN 1006
#define IDM_SAVE 1007
#define IDM_EXIT 1008
#define IDM_OPTION 1009
#define IDM_READ_RAM 40004
#define IDM_WRITE_FLASH 40005
#define IDM_CLEAR 40006
#define IDM_FLASH_INPUT 40009
#define IDM_UPDATE 40011

// RAM edit dialog (108).
#define IDC_EDIT_NAME 1013
#define IDC_EDIT_VALUE 1014
// FLASH edit dialog (113).
#define IDC_FLASH_NAME 1015
#define IDC_FLASH_VALUE 1016
// Options dialog (114).
#define IDC_OPTION_PORT 1018
#define IDC_OPTION_BAUD 1019

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
