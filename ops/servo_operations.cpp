#include "ops/servo_operations.h"

#include "ops/flash_cells.h"
#include "link/lasterror.h"
#include "link/registers.h"
#include "link/upload.h"

#include <initializer_list>

namespace {

OperationEnd sendAll(const LineSender& send, std::initializer_list<std::string_view> lines)
{
    for (std::string_view line : lines)
        if (portFailed(sendLine(send, line)))
            return OperationEnd::PortFailed;
    return OperationEnd::Done;
}

}  // namespace

OperationEnd sendSettingsClear(const LineSender& send)
{
    return sendAll(send, {kSettingsClearLine, kRestartLine});
}

OperationEnd sendStagedValues(const LineSender& send, const CellReader& cellOf)
{
    for (int row = 0; row < kParamRows; ++row) {
        auto line = flashWriteLine(row, cellOf(row));
        if (line && portFailed(sendLine(send, *line)))
            return OperationEnd::PortFailed;
    }
    return OperationEnd::Done;
}

OperationEnd sendRestartRequest(const LineSender& send)
{
    return sendAll(send, {kRestartLine});
}

OperationEnd clearSettings(const LineSender& send, const std::function<bool()>& restartConfirmed)
{
    if (OperationEnd end = sendSettingsClear(send); end != OperationEnd::Done)
        return end;
    return restartConfirmed() ? OperationEnd::Done : OperationEnd::NotConfirmed;
}

OperationEnd writeFlash(const LineSender& send, const CellReader& cellOf, const std::function<bool()>& restartConfirmed)
{
    if (OperationEnd end = clearSettings(send, restartConfirmed); end != OperationEnd::Done)
        return end;
    if (OperationEnd end = sendStagedValues(send, cellOf); end != OperationEnd::Done)
        return end;
    return sendRestartRequest(send);
}

UpdateOutcome updateFirmware(const LineSender& send, std::string_view path)
{
    // Nothing, not even the unlock, goes out for a path the upload cannot take.
    if (path.size() > static_cast<std::size_t>(kUploadPathMax))
        return UpdateOutcome::FileCannotOpen;
    if (portFailed(sendLine(send, kUnlockLine)))
        return UpdateOutcome::PortFailed;
    std::string line = "u ";
    line.append(path);
    if (sendLine(send, line) != 0)
        return failedUpdateOutcome(GetLastError());
    if (portFailed(sendLine(send, kRestartLine)))
        return UpdateOutcome::PortFailed;
    return UpdateOutcome::Written;
}
