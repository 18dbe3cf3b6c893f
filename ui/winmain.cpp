// The program: the main window and its message loop.
#include "ui/window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    installErrexitBox();
    openTraceFile();
    HWND hwnd = createMainWindow(instance);
    if (hwnd == nullptr) {
        // Without the window the loop would never see the quit message.
        MessageBoxW(nullptr, L"メインウィンドウを作成できません", L"ORVELINプログラマ", MB_OK | MB_ICONERROR);
        return 1;
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(hwnd, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
