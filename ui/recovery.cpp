// When a command cannot reach its port the program ends, and with it the
// operator's staged FLASH values. Before the "serial_open" box they are
// written to a FLASH value file beside servoconf.ini, which File > Open
// loads back into the same cells.
#include "settings/settings.h"
#include "ui/window.h"

#include <cstdio>
#include <string>

namespace {

HWND recoveryWindow = nullptr;
constexpr int kMostRecoveryFiles = 100;

std::string folderOfIniFile()
{
    std::string path = inifilename;
    auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The first of orvelin-recovered-values.txt, -2.txt, -3.txt ... that does
// not exist yet, created empty so that no other program takes it meanwhile.
std::string reserveRecoveryFile(const std::string& folder)
{
    for (int n = 1; n <= kMostRecoveryFiles; ++n) {
        std::string path = folder + "orvelin-recovered-values";
        if (n > 1)
            path += '-' + std::to_string(n);
        path += ".txt";
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return path;
        }
        if (GetLastError() != ERROR_FILE_EXISTS)
            return {};
    }
    return {};
}

}  // namespace

void keepStagedValuesOf(HWND hwnd)
{
    recoveryWindow = hwnd;
}

void saveStagedValuesForRecovery()
{
    if (recoveryWindow == nullptr || !IsWindow(recoveryWindow))
        return;
    FlashColumn column = stagedColumn(recoveryWindow);
    std::string folder = folderOfIniFile();
    if (!column.anyStaged() || folder.empty())
        return;
    std::string path = reserveRecoveryFile(folder);
    // Through a new file renamed over the reserved one, as every save.
    if (!path.empty() && !column.save(path.c_str(), "\r\n"))
        DeleteFileA(path.c_str());
}
