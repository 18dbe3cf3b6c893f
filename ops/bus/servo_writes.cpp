#include "orvelin/writes.h"

#include "link/firmware_upload.h"
#include "link/registers.h"
#include "link/update_file.h"
#include "ops/bus/bus_access.h"

#include <algorithm>
#include <string>
#include <thread>

namespace orvelin {

namespace {

constexpr int kSysSidRow = registerRow("SYS_SID");
constexpr auto kRetryEvery = std::chrono::milliseconds(100);

Outcome outcomeFor(int id, Status status, int row = -1)
{
    Outcome outcome;
    outcome.id = id;
    outcome.status = status;
    outcome.row = row;
    return outcome;
}

Outcome flashWrite(Bus& bus, int id, int row, uint32_t value)
{
    if (!bus.isOpen())
        return outcomeFor(id, Status::PortFailed, row);
    unsigned char packet[kPacketMax];
    AckReply reply = flashWriteExchange(BusAccess::handle(bus), id, paramtbl[row].address, paramtbl[row].size, value,
                                        packet);
    BusAccess::sawEcho(bus, reply.echoed);
    Outcome outcome = outcomeFor(id, Status::Ok, row);
    outcome.received = reply.received;
    outcome.expected = 1;
    outcome.ack = reply.ack;
    if (reply.status == ReplyStatus::None)
        outcome.status = Status::NoReply;
    else if (reply.status == ReplyStatus::Refused)
        outcome.status = Status::Refused;
    else if (reply.status == ReplyStatus::Followed)
        outcome.status = Status::StrayBytes;
    return outcome;
}

}  // namespace

Outcome writeRam(Bus& bus, int id, int row, uint32_t value)
{
    if (!bus.isOpen())
        return outcomeFor(id, Status::PortFailed, row);
    const ParamDef& def = paramtbl[row];
    unsigned char packet[kPacketMax];
    EchoReply reply = ramWriteExchange(BusAccess::handle(bus), id, def.address, def.size, value, packet);
    BusAccess::sawEcho(bus, reply.echoed);
    Outcome outcome = outcomeFor(id, Status::Ok, row);
    outcome.received = reply.received;
    outcome.expected = def.size;
    outcome.wanted = value & groupsMax(def.size);
    outcome.got = reply.echo;
    switch (reply.status) {
    case ReplyStatus::None:
        outcome.status = Status::NoReply;
        break;
    case ReplyStatus::Short:
        outcome.status = Status::ShortReply;
        break;
    case ReplyStatus::Differs:
        outcome.status = Status::EchoDiffers;
        break;
    case ReplyStatus::Followed:
        outcome.status = Status::StrayBytes;
        break;
    default:
        break;
    }
    return outcome;
}

Outcome setRegister(Bus& bus, int id, int row, uint32_t value, ServoImage& readBack)
{
    Outcome written = writeRam(bus, id, row, value);
    if (!written.ok())
        return written;
    Outcome read = readServo(bus, id, BlockSet::all(), readBack);
    read.row = row;
    if (!read.ok())
        return read;
    if (readBack.value(row) != (value & groupsMax(paramtbl[row].size))) {
        read.status = Status::ReadBackDiffers;
        read.wanted = value;
        read.got = readBack.value(row);
    }
    return read;
}

Outcome clearSettings(Bus& bus, int id)
{
    Outcome cleared = flashWrite(bus, id, kSettingsClear.row, kSettingsClear.value);
    // A servo that does not answer the clear is a silent servo, not a register it refuses.
    if (cleared.status == Status::NoReply)
        cleared.row = -1;
    if (!cleared.ok())
        return cleared;
    return sendRestartRequest(bus, id);
}

Outcome sendRestartRequest(Bus& bus, int id)
{
    return writeRam(bus, id, kRestart.row, kRestart.value);
}

Outcome sendStagedValues(Bus& bus, int id, const StagedValues& values)
{
    for (int row = 0; row < kParamRows; ++row) {
        if (!values[static_cast<std::size_t>(row)])
            continue;
        Outcome outcome = flashWrite(bus, id, row, *values[static_cast<std::size_t>(row)]);
        if (!outcome.ok())
            return outcome;
    }
    return outcomeFor(id, Status::Ok);
}

int idAfter(int id, const StagedValues& values)
{
    const auto& sid = values[kSysSidRow];
    return sid ? static_cast<int>(*sid & groupsMax(paramtbl[kSysSidRow].size)) : id;
}

Outcome readRestartedServo(Bus& bus, int id, ServoImage& image, std::chrono::milliseconds wait)
{
    auto deadline = std::chrono::steady_clock::now() + wait;
    Outcome read = readServo(bus, id, BlockSet::all(), image);
    while (!read.ok() && read.status != Status::PortFailed && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(kRetryEvery);
        read = readServo(bus, id, BlockSet::all(), image);
    }
    return read;
}

Outcome verifyStaged(Bus& bus, int readId, const StagedValues& values, std::chrono::milliseconds wait)
{
    ServoImage image;
    Outcome read = readRestartedServo(bus, readId, image, wait);
    if (!read.ok())
        return read;
    for (int row = 0; row < kParamRows; ++row) {
        const auto& want = values[static_cast<std::size_t>(row)];
        if (!want || image.value(row) == (*want & groupsMax(paramtbl[row].size)))
            continue;
        read.status = Status::ReadBackDiffers;
        read.row = row;
        read.wanted = *want;
        read.got = image.value(row);
        return read;
    }
    return read;
}

std::optional<std::vector<unsigned char>> readUpdateFile(const std::string& path, UploadFailure& why)
{
    UpdateFile file = ::readUpdateFile(path);
    if (file.status != UpdateFileStatus::Read) {
        why = UploadFailure::FileUnreadable;
        return std::nullopt;
    }
    // The link sends an empty image as nothing; an update of nothing is no update.
    if (file.image.empty() || file.image.size() > static_cast<std::size_t>(kUploadMaxBytes) ||
        std::ranges::any_of(file.image, [](unsigned char byte) { return (byte & kHeaderBit) != 0; })) {
        why = UploadFailure::ImageInvalid;
        return std::nullopt;
    }
    why = UploadFailure::None;
    return file.image;
}

Outcome updateFirmware(Bus& bus, int id, std::span<const unsigned char> image,
                       const std::function<bool(long sent, long total)>& progress)
{
    if (image.empty()) {
        Outcome refused = outcomeFor(id, Status::UploadFailed);
        refused.upload = UploadFailure::ImageInvalid;
        return refused;
    }
    Outcome unlocked = writeRam(bus, id, kUnlock.row, kUnlock.value);
    // A servo silent from the start fails the update as one that leaves every chunk unanswered.
    if (unlocked.status == Status::NoReply) {
        unlocked.status = Status::UploadFailed;
        unlocked.upload = UploadFailure::NoAcknowledge;
        unlocked.chunkAddress = kFirstChunkAddress;
    }
    if (!unlocked.ok())
        return unlocked;
    UploadResult result = uploadImage(BusAccess::handle(bus), id, image, progress, {}, UploadCheck::AloneEach);
    Outcome outcome = outcomeFor(id, Status::UploadFailed);
    switch (result.status) {
    case UploadStatus::Done:
        // The last acknowledge too must have come alone.
        if (int stray = BusAccess::drainQuiet(bus);
            stray > 0) {
            outcome.status = Status::StrayBytes;
            outcome.stray = stray;
            return outcome;
        }
        return sendRestartRequest(bus, id);
    case UploadStatus::Followed:
        outcome.status = Status::StrayBytes;
        outcome.chunkAddress = result.address;
        outcome.stray = result.stray;
        break;
    case UploadStatus::NotSevenBit:
    case UploadStatus::TooLong:
        outcome.upload = UploadFailure::ImageInvalid;
        break;
    case UploadStatus::NoAcknowledge:
        outcome.upload = UploadFailure::NoAcknowledge;
        outcome.chunkAddress = result.address;
        break;
    case UploadStatus::Refused:
        outcome.upload = UploadFailure::ChunkRefused;
        outcome.chunkAddress = result.address;
        outcome.ack = result.ack;
        break;
    case UploadStatus::Stopped:
        outcome.status = Status::Stopped;
        break;
    }
    return outcome;
}

bool isSetting(int row)
{
    return isSettingRow(row);
}

std::vector<int> differingSettings(const ServoImage& before, const ServoImage& now)
{
    std::vector<int> rows;
    for (int row = 0; row < kRegisterCount; ++row)
        if (isSetting(row) && before.value(row) != now.value(row))
            rows.push_back(row);
    return rows;
}

StagedValues valuesOf(const ServoImage& image, const std::vector<int>& rows)
{
    StagedValues values;
    for (int row : rows)
        values[static_cast<std::size_t>(row)] = image.value(row);
    return values;
}

Outcome writeFlashValues(Bus& bus, int id, const StagedValues& values, std::chrono::milliseconds wait)
{
    Outcome outcome = sendStagedValues(bus, id, values);
    if (outcome.ok())
        outcome = sendRestartRequest(bus, id);
    if (outcome.ok())
        outcome = verifyStaged(bus, idAfter(id, values), values, wait);
    return outcome;
}

}  // namespace orvelin
