#include "ops/bus/servo_writes.h"

#include "link/lasterror.h"
#include "link/upload.h"
#include "ops/command_lines.h"

#include <string>
#include <thread>

namespace {

constexpr int kSysSidRow = registerRow("SYS_SID");
constexpr auto kRetryEvery = std::chrono::milliseconds(100);

BusOutcome outcomeFor(int id, BusStatus status, int row = -1)
{
    BusOutcome outcome;
    outcome.id = id;
    outcome.status = status;
    outcome.row = row;
    return outcome;
}

BusOutcome flashWrite(BusPort& port, int id, int row, uint32_t value)
{
    if (!port.isOpen())
        return outcomeFor(id, BusStatus::PortFailed, row);
    unsigned char packet[kPacketMax];
    AckReply reply = flashWriteExchange(port.handle(), id, paramtbl[row].address, paramtbl[row].size, value, packet);
    BusOutcome outcome = outcomeFor(id, BusStatus::Ok, row);
    outcome.received = reply.received;
    outcome.expected = 1;
    outcome.ack = reply.ack;
    if (reply.status == ReplyStatus::None)
        outcome.status = BusStatus::NoReply;
    else if (reply.status == ReplyStatus::Refused)
        outcome.status = BusStatus::Refused;
    return outcome;
}

// The one progress callback of an upload in hand: the link takes a plain function.
thread_local const std::function<bool(long, long)>* uploadProgress = nullptr;
thread_local bool uploadStopped = false;

bool onChunk(long sent, long total)
{
    if (uploadProgress == nullptr || !*uploadProgress || (*uploadProgress)(sent, total))
        return true;
    uploadStopped = true;
    return false;
}

}  // namespace

BusOutcome writeRam(BusPort& port, int id, int row, uint32_t value)
{
    if (!port.isOpen())
        return outcomeFor(id, BusStatus::PortFailed, row);
    const ParamDef& def = paramtbl[row];
    unsigned char packet[kPacketMax];
    EchoReply reply = ramWriteExchange(port.handle(), id, def.address, def.size, value, packet);
    BusOutcome outcome = outcomeFor(id, BusStatus::Ok, row);
    outcome.received = reply.received;
    outcome.expected = def.size;
    outcome.wanted = value & groupsMax(def.size);
    outcome.got = reply.echo;
    switch (reply.status) {
    case ReplyStatus::None:
        outcome.status = BusStatus::NoReply;
        break;
    case ReplyStatus::Short:
        outcome.status = BusStatus::ShortReply;
        break;
    case ReplyStatus::Differs:
        outcome.status = BusStatus::EchoDiffers;
        break;
    default:
        break;
    }
    return outcome;
}

BusOutcome setRegister(BusPort& port, int id, int row, uint32_t value, ServoImage& readBack)
{
    BusOutcome written = writeRam(port, id, row, value);
    if (!written.ok())
        return written;
    BusOutcome read = readServo(port, id, BlockSet::all(), readBack);
    read.row = row;
    if (!read.ok())
        return read;
    if (readBack.value(row) != (value & groupsMax(paramtbl[row].size))) {
        read.status = BusStatus::ReadBackDiffers;
        read.wanted = value;
        read.got = readBack.value(row);
    }
    return read;
}

BusOutcome clearSettings(BusPort& port, int id)
{
    BusOutcome cleared = flashWrite(port, id, kSettingsClear.row, kSettingsClear.value);
    // A servo that does not answer the clear is a silent servo, not a register it refuses.
    if (cleared.status == BusStatus::NoReply)
        cleared.row = -1;
    if (!cleared.ok())
        return cleared;
    return sendRestartRequest(port, id);
}

BusOutcome sendRestartRequest(BusPort& port, int id)
{
    return writeRam(port, id, kRestart.row, kRestart.value);
}

BusOutcome sendStagedValues(BusPort& port, int id, const StagedValues& values)
{
    for (int row = 0; row < kParamRows; ++row) {
        if (!values[static_cast<std::size_t>(row)])
            continue;
        BusOutcome outcome = flashWrite(port, id, row, *values[static_cast<std::size_t>(row)]);
        if (!outcome.ok())
            return outcome;
    }
    return outcomeFor(id, BusStatus::Ok);
}

int idAfter(int id, const StagedValues& values)
{
    const auto& sid = values[kSysSidRow];
    return sid ? static_cast<int>(*sid & groupsMax(paramtbl[kSysSidRow].size)) : id;
}

BusOutcome verifyStaged(BusPort& port, int readId, const StagedValues& values, std::chrono::milliseconds wait)
{
    auto deadline = std::chrono::steady_clock::now() + wait;
    ServoImage image;
    BusOutcome read = readServo(port, readId, BlockSet::all(), image);
    while (!read.ok() && read.status != BusStatus::PortFailed && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(kRetryEvery);
        read = readServo(port, readId, BlockSet::all(), image);
    }
    if (!read.ok())
        return read;
    for (int row = 0; row < kParamRows; ++row) {
        const auto& want = values[static_cast<std::size_t>(row)];
        if (!want || image.value(row) == (*want & groupsMax(paramtbl[row].size)))
            continue;
        read.status = BusStatus::ReadBackDiffers;
        read.row = row;
        read.wanted = *want;
        read.got = image.value(row);
        return read;
    }
    return read;
}

BusOutcome updateFirmware(BusPort& port, int id, const std::string& path,
                          const std::function<bool(long sent, long total)>& progress)
{
    BusOutcome unlocked = writeRam(port, id, kUnlock.row, kUnlock.value);
    // A servo silent from the start fails the update as one that leaves every chunk unanswered.
    if (unlocked.status == BusStatus::NoReply) {
        unlocked.status = BusStatus::UploadFailed;
        unlocked.uploadCode = kUploadNoAck;
    }
    if (!unlocked.ok())
        return unlocked;
    std::string line = "u " + path;
    line.resize(std::max(line.size() + 1, static_cast<std::size_t>(kPacketMax)), '\0');
    unsigned char packet[kPacketMax];
    uploadProgress = &progress;
    uploadStopped = false;
    set_upload_progress(onChunk);
    int result = uploadFirmware(port.handle(), id, line.c_str(), packet);
    set_upload_progress(nullptr);
    uploadProgress = nullptr;
    if (result != 0) {
        BusOutcome outcome = outcomeFor(id, uploadStopped ? BusStatus::Stopped : BusStatus::UploadFailed);
        outcome.uploadCode = GetLastError();
        return outcome;
    }
    return sendRestartRequest(port, id);
}
