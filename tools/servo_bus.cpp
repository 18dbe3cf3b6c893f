#include "tools/servo_bus.h"

#include "link/wire_format.h"
#include "tools/packet_parser.h"

#include <algorithm>
#include <iterator>

namespace {


// The position reply: where the shaft is, then where it is going.
static_assert(2 * kPositionBytes == kPositionReplyBytes);

// An acknowledge that accepts has no bit set.
uint8_t acknowledge(bool refused)
{
    return refused ? kAckRefused : kAckAccepted;
}

// Uses up one packet of a fault's count; a negative count never runs out
// where the fault allows one, and means no fault elsewhere.
bool useOne(int& count, bool endless = false)
{
    if (count < 0)
        return endless;
    if (count == 0)
        return false;
    --count;
    return true;
}

}  // namespace

ServoBus::ServoBus(std::span<const BusServo> servos)
{
    for (const BusServo& servo : servos)
        units_.emplace_back(servo.id, servo.baud);
}

std::optional<std::vector<uint8_t>> ServoBus::answer(const std::vector<uint8_t>& packet, int lineBaud)
{
    if (faults.silent || packet.size() < 2)
        return std::nullopt;
    std::vector<ServoUnit*> servos;
    for (ServoUnit& servo : units_)
        if (servo.id() == (packet[0] & kHighestId) && servo.hears(lineBaud))
            servos.push_back(&servo);
    if (servos.empty())
        return std::nullopt;
    // Servos sharing an ID all answer; on a real line their replies collide
    // and the host sees more bytes than it asked for.
    auto fromEach = [&servos](auto&& replyOf) {
        std::vector<uint8_t> replies;
        for (ServoUnit* servo : servos)
            std::ranges::copy(replyOf(*servo), std::back_inserter(replies));
        return replies;
    };
    switch (packetShape(packet[0], packet[1]).kind) {
    case PacketKind::ReadBlock: {
        std::vector<uint8_t> reply = fromEach([&](ServoUnit& servo) { return readBlock(servo, packet); });
        for (int k = 0; k < faults.strayAfterRead; ++k)
            reply.push_back(static_cast<uint8_t>(noise_() & kGroupMask));
        return reply;
    }
    case PacketKind::RamWrite:
        return fromEach([&](ServoUnit& servo) { return withBadBits(ramWrite(servo, packet)); });
    case PacketKind::FlashWrite:
        return flashWrite(servos, packet);
    case PacketKind::Position:
        return fromEach([&](ServoUnit& servo) { return withBadBits(positionWrite(servo, packet)); });
    case PacketKind::Fixed:
    case PacketKind::Unknown:
        break;
    }
    return std::nullopt;
}

ServoUnit* ServoBus::unit(int id, int nth)
{
    for (ServoUnit& servo : units_)
        if (servo.id() == id && --nth == 0)
            return &servo;
    return nullptr;
}

std::optional<int> ServoBus::firstId() const
{
    if (units_.empty())
        return std::nullopt;
    return units_.front().id();
}

bool ServoBus::preset(int id, int address, std::span<const uint8_t> bytes, int nth)
{
    ServoUnit* servo = unit(id, nth);
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
    return withBadBits({block.begin(), block.begin() + static_cast<std::ptrdiff_t>(count)});
}

std::vector<uint8_t> ServoBus::ramWrite(ServoUnit& servo, const std::vector<uint8_t>& packet)
{
    std::vector<uint8_t> values(packet.begin() + 3, packet.end());
    if (!faults.locked)
        servo.writeRam(packet[2], values);
    if (packet[2] == kRestartAddress && groupsValue(values) == kRestart.value)
        servo.restart(faults.updateResets);
    return values;
}

std::optional<std::vector<uint8_t>> ServoBus::flashWrite(std::span<ServoUnit* const> servos,
                                                         const std::vector<uint8_t>& packet)
{
    // Header, byte count, two address groups, the bytes, their checksum.
    auto data = std::span(packet).subspan(4, packet[1]);
    bool good = checksum7(packet.data() + 2, static_cast<int>(packet.size()) - 3) == packet.back();
    int address = packet[2] | packet[3] << kGroupBits;
    std::vector<uint8_t> reply;
    // Faults count packets, not servos: servos sharing an ID fare alike.
    if (address < kFirstChunkAddress) {
        bool refused = useOne(faults.refuseFlash, true) || !good;
        for (ServoUnit* servo : servos) {
            if (!refused && address == paramtbl[kSettingsClear.row].address && groupsValue(data) == kSettingsClear.value)
                servo->clearFlash();
            else if (!refused && !faults.locked)
                servo->writeFlash(address, data);
            reply.push_back(acknowledge(refused));
        }
        return withBadBits(reply);
    }
    if (useOne(faults.ignoreUploads))
        return std::nullopt;
    bool rejected = useOne(faults.rejectUploads);
    for (ServoUnit* servo : servos) {
        if (!rejected && good)
            servo->storeChunk(static_cast<std::size_t>(address - kFirstChunkAddress), data);
        reply.push_back(rejected || !good ? kAckRefused : static_cast<uint8_t>(faults.uploadAck));
    }
    return withBadBits(reply);
}

std::vector<uint8_t> ServoBus::positionWrite(ServoUnit& servo, const std::vector<uint8_t>& packet)
{
    int target = packet[1] | packet[2] << kGroupBits;
    int now = servo.moveTo(target);
    std::vector<uint8_t> reply = valueGroups(static_cast<uint32_t>(now), kPositionBytes);
    std::ranges::copy(valueGroups(static_cast<uint32_t>(target), kPositionBytes), std::back_inserter(reply));
    return reply;
}

std::vector<uint8_t> ServoBus::withBadBits(std::vector<uint8_t> reply) const
{
    if (faults.badBitReply > 0)
        for (uint8_t& byte : reply)
            byte |= kHeaderBit;
    return reply;
}
