// The window's message boxes, with the texts the operations share.
#include "ui/window.h"

std::wstring wideText(const char* utf8)
{
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

int showBox(HWND owner, OperatorText text, OperatorText title, UINT type)
{
    return MessageBoxW(owner, wideText(wording(text).japanese).c_str(), wideText(wording(title).japanese).c_str(),
                       type);
}
