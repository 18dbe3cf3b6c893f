#include "tests/ui/window_harness.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPollInterval = std::chrono::milliseconds(10);
constexpr auto kGiveUpAfter = std::chrono::seconds(3);
constexpr UINT kCrossThreadTimeoutMs = 5000;

std::wstring className(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// The stored window text, read without sending the window a message.
std::wstring storedText(HWND window)
{
    wchar_t text[1024] = {};
    InternalGetWindowText(window, text, 1024);
    return text;
}

std::vector<HWND> threadWindows(DWORD thread)
{
    std::vector<HWND> windows;
    EnumThreadWindows(
        thread,
        [](HWND window, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> childWindows(HWND parent)
{
    std::vector<HWND> children;
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

// Message boxes show the shared system icons; which one tells the MB_ICON*
// flag. A box of another process has handles of its own: its icon reads as
// MB_USERICON, an icon that is there but not told apart.
UINT iconFlag(HICON icon)
{
    if (icon == nullptr)
        return 0;
    const std::pair<LPCSTR, UINT> known[] = {
        {IDI_HAND, MB_ICONERROR},
        {IDI_EXCLAMATION, MB_ICONWARNING},
        {IDI_ASTERISK, MB_ICONINFORMATION},
        {IDI_QUESTION, MB_ICONQUESTION},
    };
    for (const auto& [id, flag] : known)
        if (LoadIconA(nullptr, id) == icon)
            return flag;
    return MB_USERICON;
}

SeenDialog describe(HWND dialog)
{
    SeenDialog seen{narrow(storedText(dialog)), "", 0, GetWindow(dialog, GW_OWNER)};
    for (HWND child : childWindows(dialog)) {
        if (_wcsicmp(className(child).c_str(), L"Static") != 0 || !IsWindowVisible(child))
            continue;
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            DWORD_PTR icon = 0;
            SendMessageTimeoutW(child, STM_GETICON, 0, 0, SMTO_BLOCK, kCrossThreadTimeoutMs, &icon);
            seen.icon = iconFlag(reinterpret_cast<HICON>(icon));
            continue;
        }
        std::string text = narrow(storedText(child));
        if (text.empty())
            continue;
        if (!seen.text.empty())
            seen.text += '\n';
        seen.text += text;
    }
    return seen;
}

}  // namespace

struct DialogWatcher::Impl {
    struct Answered {
        HWND window;
        Clock::time_point at;
        int attempts;
    };

    DWORD uiThread;
    std::atomic<bool> stopping{false};
    std::mutex polling;  // held while the watcher looks, and while it is held off
    mutable std::mutex lock;
    std::vector<HWND> ignored;
    std::map<std::string, std::function<void(HWND)>> handlers;
    std::function<void(HWND)> menuHandler;
    std::vector<SeenDialog> seen;
    int menus = 0;
    std::vector<Answered> answered;
    std::thread thread;

    bool isIgnored(HWND window) const
    {
        std::lock_guard guard(lock);
        return std::find(ignored.begin(), ignored.end(), window) != ignored.end();
    }

    // A dialog that outlives its answer is cancelled, then closed.
    void insist(Answered& entry)
    {
        if (Clock::now() - entry.at < kGiveUpAfter)
            return;
        if (entry.attempts == 0)
            pressButton(entry.window, IDCANCEL);
        else
            PostMessageW(entry.window, WM_CLOSE, 0, 0);
        ++entry.attempts;
        entry.at = Clock::now();
    }

    void handleDialog(HWND window)
    {
        SeenDialog description = describe(window);
        std::function<void(HWND)> handler;
        {
            std::lock_guard guard(lock);
            seen.push_back(description);
            if (auto found = handlers.find(description.title); found != handlers.end())
                handler = found->second;
        }
        if (handler)
            handler(window);
        else
            pressButton(window, IDOK);
    }

    void handleMenu(HWND window)
    {
        std::function<void(HWND)> handler;
        {
            std::lock_guard guard(lock);
            ++menus;
            handler = menuHandler;
        }
        if (handler)
            handler(window);
        else
            PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 1);
    }

    void look()
    {
        std::erase_if(answered, [](const Answered& entry) {
            return !IsWindow(entry.window) || !IsWindowVisible(entry.window);
        });
        for (HWND window : threadWindows(uiThread)) {
            if (!IsWindowVisible(window) || isIgnored(window))
                continue;
            auto known = std::find_if(answered.begin(), answered.end(),
                                      [window](const Answered& entry) { return entry.window == window; });
            if (known != answered.end()) {
                insist(*known);
                continue;
            }
            std::wstring kind = className(window);
            if (kind == L"#32770")
                handleDialog(window);
            else if (kind == L"#32768")
                handleMenu(window);
            else
                continue;
            answered.push_back({window, Clock::now(), 0});
        }
    }

    void run()
    {
        while (!stopping) {
            {
                std::lock_guard guard(polling);
                look();
            }
            std::this_thread::sleep_for(kPollInterval);
        }
    }
};

DialogWatcher::DialogWatcher(DWORD uiThread) : impl(std::make_unique<Impl>())
{
    impl->uiThread = uiThread;
    impl->thread = std::thread([this] { impl->run(); });
}

DialogWatcher::~DialogWatcher()
{
    impl->stopping = true;
    impl->thread.join();
}

HWND DialogWatcher::ignoreWindow(const std::function<HWND()>& make)
{
    std::lock_guard hold(impl->polling);
    HWND window = make();
    std::lock_guard guard(impl->lock);
    impl->ignored.push_back(window);
    return window;
}

void DialogWatcher::answer(const std::string& title, std::function<void(HWND)> handler)
{
    std::lock_guard guard(impl->lock);
    impl->handlers[title] = std::move(handler);
}

void DialogWatcher::answerMenu(std::function<void(HWND)> handler)
{
    std::lock_guard guard(impl->lock);
    impl->menuHandler = std::move(handler);
}

std::vector<SeenDialog> DialogWatcher::seen() const
{
    std::lock_guard guard(impl->lock);
    return impl->seen;
}

int DialogWatcher::menusSeen() const
{
    std::lock_guard guard(impl->lock);
    return impl->menus;
}

void DialogWatcher::clear()
{
    std::lock_guard guard(impl->lock);
    impl->seen.clear();
    impl->menus = 0;
}

void pressButton(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void setControlText(HWND dialog, int id, const std::string& utf8)
{
    std::wstring text = widen(utf8);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_BLOCK,
                        kCrossThreadTimeoutMs, &ignored);
}

std::string controlText(HWND window)
{
    wchar_t text[1024] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, kCrossThreadTimeoutMs,
                        &ignored);
    return narrow(text);
}

void chooseMenuItem(HWND menu, int position)
{
    // The menu's own loop reads the keys from its thread's queue.
    for (int k = 0; k <= position; ++k)
        PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 1);
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 1);
}

std::wstring widen(const std::string& utf8)
{
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    return wide;
}

std::string narrow(const std::wstring& wide)
{
    int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length, nullptr,
                        nullptr);
    return utf8;
}
