// The window's one road to the servo (mainCmd) and the line the operator
// types (sendToSerial).
#include "link/registers.h"
#include "ops/command_lines.h"
#include "ui/resources/resource.h"
#include "link/term.h"
#include "ui/window.h"

#include <cstdio>

namespace {

constexpr int kIdTextSize = 4;
constexpr int kCommandTextSize = kCommandTextMax + 1;

}  // namespace

int mainCmd(HWND hwnd, char* line)
{
    // The ID selector's entry addresses every packet; a text without a
    // hexadecimal number keeps the previous ID.
    char idText[kIdTextSize];
    GetDlgItemTextA(hwnd, IDC_ID, idText, sizeof idText);
    unsigned id = 0;
    if (std::sscanf(idText, "%X", &id) == 1)
        SendID = static_cast<int>(id);
    return term(line);
}

int sendToSerial(HWND hwnd)
{
    char line[kCommandTextSize];
    GetDlgItemTextA(hwnd, IDC_COMMAND, line, sizeof line);
    SetWindowTextA(GetDlgItem(hwnd, IDC_COMMAND), "");
    return mainCmd(hwnd, line);
}

LineSender windowSender(HWND hwnd)
{
    return [hwnd](char* line) { return mainCmd(hwnd, line); };
}
