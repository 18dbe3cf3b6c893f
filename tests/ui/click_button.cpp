// Clicks a control of a running program's main window, the way the demo and
// screenshot scripts drive the window from outside:
//     click-button.exe PROGRAM.exe ID
// waits up to 30 s for a visible top-level window of a process whose image
// is PROGRAM.exe, sends it the command a click on control ID sends, and
// prints the window's rectangle on the screen, as it was before the click,
// as "X Y WIDTH HEIGHT".
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace {

constexpr int kWaitMs = 30000;
constexpr int kPollMs = 100;

struct Search {
    const wchar_t* program;
    HWND found;
};

bool imageIs(DWORD processId, const wchar_t* program)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr)
        return false;
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    bool same = false;
    if (QueryFullProcessImageNameW(process, 0, path, &size)) {
        const wchar_t* name = std::wcsrchr(path, L'\\');
        same = _wcsicmp(name != nullptr ? name + 1 : path, program) == 0;
    }
    CloseHandle(process);
    return same;
}

BOOL CALLBACK look(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<Search*>(data);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == nullptr && imageIs(processId, search->program)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND waitForWindow(const wchar_t* program)
{
    for (int waited = 0; waited < kWaitMs; waited += kPollMs) {
        Search search{program, nullptr};
        EnumWindows(look, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr)
            return search.found;
        Sleep(kPollMs);
    }
    return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: click-button PROGRAM.exe ID\n");
        return 2;
    }
    HWND window = waitForWindow(argv[1]);
    if (window == nullptr) {
        std::fprintf(stderr, "click-button: no window of %ls\n", argv[1]);
        return 1;
    }
    // Taken first: a click on Exit leaves no window to measure.
    RECT r;
    GetWindowRect(window, &r);
    int id = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
    // Sent, not posted: the command has run when the call returns.
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}
