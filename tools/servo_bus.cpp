#include "servo_bus.h"

#include "packet_parser.h"

#include <algorithm>
#include <iterator>
#include <numeric>

namespace {

constexpr uint8_t kAccept = 0x00;
constexpr uint8_t kReject = 0x40;
constexpr int kIdBits = 0x3F;
constexpr int kUploadBase = 0x1000;
// A FLASH write of this value to address 0 is the servo's "clear" request.
constexpr uint32_t kClearValue = 0x3E8;
constexpr int kPositionGroups = 2;

bool checksumAddsUp(std::span<const uint8_t> summed)
{
    return std::accumulate(summed.begin(), summed.end(), 0) % 128 == 0;
}

}  // namespace

ServoBus::ServoBus(const std::vector<int>& ids)
{
    for (int id : ids)
        units_.emplace_back(id);
}

std::optional<std::vector<uint8_t>> ServoBus::answer(const std::vector<uint8_t>& packet)
{
    if (faults.silent || packet.size() < 2)
        return std::nullopt;
    ServoUnit* servo = unit(packet[0] & kIdBits);
    if (servo == nullptr)
        return std::nullopt;
    switch (packetShape(packet[0], packet[1]).kind) {
    case PacketKind::ReadBlock:
        return readBlock(*servo, packet);
    case PacketKind::RamWrite:
        return withBadBits(ramWrite(*servo, packet));
    case PacketKind::FlashWrite:
        return flashWrite(*servo, packet);
    case PacketKind::Position:
        return withBadBits(positionWrite(*servo, packet));
    case PacketKind::Fixed:
    case PacketKind::Unknown:
        break;
    }
    return std::nullopt;
}

ServoUnit* ServoBus::unit(int id)
{
    auto found = std::ranges::find(units_, id, &ServoUnit::id);
    return found == units_.end() ? nullptr : &*found;
}

std::optional<int> ServoBus::firstId() const
{
    if (units_.empty())
        return std::nullopt;
    return units_.front().id();
}

bool ServoBus::preset(int id, int address, std::span<const uint8_t> bytes)
{
    ServoUnit* servo = unit(id);
    if (servo == nullptr || address < 0 || address + static_cast<int>(bytes.size()) > kRegisterBytes)
        return false;
    servo->writeRam(address, bytes);
    servo->writeFlash(address, bytes);
    return true;
}

void ServoBus::reset()
{
    for (ServoUnit& servo : units_)
        servo.reset();
    faults = {};
}

std::vector<uint8_t> ServoBus::readBlock(ServoUnit& servo, const std::vector<uint8_t>& packet)
{
    auto block = servo.readBlock(packet[2]);
    std::size_t count = block.size();
    if (faults.shortReply >= 0)
        count = std::min(count, static_cast<std::size_t>(faults.shortReply));
    std::vector<uint8_t> reply = withBadBits({block.begin(), block.begin() + static_cast<std::ptrdiff_t>(count)});
    for (int k = 0; k < faults.strayAfterRead; ++k)
        reply.push_back(static_cast<uint8_t>(noise_() & 0x7F));
    return reply;
}

std::vector<uint8_t> ServoBus::ramWrite(ServoUnit& servo, const std::vector<uint8_t>& packet)
{
    std::vector<uint8_t> values(packet.begin() + 3, packet.end());
    if (!faults.locked)
        servo.writeRam(packet[2], values);
    if (packet[2] == kRestartAddress && groupsValue(values) == 1)
        servo.restart();
    return values;
}

std::optional<std::vector<uint8_t>> ServoBus::flashWrite(ServoUnit& servo, const std::vector<uint8_t>& packet)
{
    std::span<const uint8_t> whole(packet);
    auto data = whole.subspan(4, packet[1]);
    bool good = checksumAddsUp(whole.subspan(2, packet.size() - 2));
    int address = packet[2] | packet[3] << 7;
    if (address < kUploadBase) {
        if (good && address == 0 && groupsValue(data) == kClearValue)
            servo.clearFlash();
        else if (good && !faults.locked)
            servo.writeFlash(address, data);
        return withBadBits({good ? kAccept : kReject});
    }
    if (faults.ignoreUploads > 0) {
        --faults.ignoreUploads;
        return std::nullopt;
    }
    if (faults.rejectUploads > 0) {
        --faults.rejectUploads;
        return withBadBits({kReject});
    }
    if (good)
        servo.storeChunk(static_cast<std::size_t>(address - kUploadBase), data);
    return withBadBits({good ? static_cast<uint8_t>(faults.uploadAck) : kReject});
}

std::vector<uint8_t> ServoBus::positionWrite(ServoUnit& servo, const std::vector<uint8_t>& packet)
{
    int target = packet[1] | packet[2] << 7;
    int now = servo.moveTo(target);
    std::vector<uint8_t> reply = valueGroups(static_cast<uint32_t>(now), kPositionGroups);
    std::ranges::copy(valueGroups(static_cast<uint32_t>(target), kPositionGroups), std::back_inserter(reply));
    return reply;
}

std::vector<uint8_t> ServoBus::withBadBits(std::vector<uint8_t> reply) const
{
    if (faults.badBitReply > 0)
        for (uint8_t& byte : reply)
            byte |= 0x80;
    return reply;
}
