// The port and baud selectors that the main window and the options dialog
// fill alike.
#pragma once

#include <windows.h>

// COM1 to COM255 at positions 0 to 254; the entry equal to selectedPort
// (exactly, case-sensitive) is selected, none when nothing matches.
void fillPortSelector(HWND dialog, int box, const char* selectedPort);
// The six rates; an entry whose value equals baud is selected.
void fillBaudSelector(HWND dialog, int box, int baud);
// The entry at an explicit position, which CBS_SORT does not reorder.
void insertEntry(HWND dialog, int box, int position, const char* text);
void selectEntry(HWND dialog, int box, int position);
