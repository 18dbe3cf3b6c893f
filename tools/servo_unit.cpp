#include "tools/servo_unit.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr long long kStepsPerSecond = 0x400;

bool touches(int address, std::size_t count, int field)
{
    return address < field + kPositionBytes && field < address + static_cast<int>(count);
}

}  // namespace

ServoUnit::ServoUnit(int id, int baud)
    : factoryId_(id), id_(id), factoryBaud_(baud), baud_(baud), ram_(factoryRegisters(id)), flash_(ram_)
{
}

void ServoUnit::reset()
{
    id_ = factoryId_;
    baud_ = factoryBaud_;
    uploaded_ = false;
    ram_ = factoryRegisters(id_);
    flash_ = ram_;
    image_.clear();
    motion_.reset();
}

std::array<uint8_t, kBlockBytes> ServoUnit::readBlock(int address)
{
    settle();
    std::array<uint8_t, kBlockBytes> block{};
    for (int k = 0; k < kBlockBytes; ++k) {
        int at = address + k;
        block[k] = at >= 0 && at < kRegisterBytes ? ram_[at] : kErasedByte;
    }
    return block;
}

void ServoUnit::writeRam(int address, std::span<const uint8_t> bytes)
{
    settle();
    copyInto(ram_, address, bytes);
    // A position written by hand stops the shaft where it says.
    if (touches(address, bytes.size(), kPositionAddress))
        motion_.reset();
}

void ServoUnit::writeFlash(int address, std::span<const uint8_t> bytes)
{
    copyInto(flash_, address, bytes);
}

void ServoUnit::restart(bool updateResets)
{
    if (updateResets && uploaded_)
        flash_ = factoryRegisters(kFactoryId);
    uploaded_ = false;
    ram_ = flash_;
    motion_.reset();
    // A servo restarts on the ID its settings hold: a FLASH write of SYS_SID moves it.
    id_ = ram_[kServoIdAddress] & kHighestId;
}

void ServoUnit::clearFlash()
{
    flash_ = factoryRegisters(id_);
}

void ServoUnit::storeChunk(std::size_t offset, std::span<const uint8_t> bytes)
{
    if (image_.size() < offset + bytes.size())
        image_.resize(offset + bytes.size());
    std::ranges::copy(bytes, image_.begin() + static_cast<std::ptrdiff_t>(offset));
    uploaded_ = true;
}

int ServoUnit::moveTo(int target)
{
    settle();
    int from = position();
    motion_ = Motion{from, target, Clock::now()};
    copyInto(ram_, kTargetAddress, valueGroups(static_cast<uint32_t>(target), kPositionBytes));
    return from;
}

const RegisterMemory& ServoUnit::ram()
{
    settle();
    return ram_;
}

void ServoUnit::settle()
{
    if (!motion_)
        return;
    auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - motion_->start);
    long long travelled = elapsed.count() * kStepsPerSecond / 1000;
    int distance = std::abs(motion_->target - motion_->from);
    int now = motion_->target;
    if (travelled < distance) {
        int step = static_cast<int>(travelled);
        now = motion_->target > motion_->from ? motion_->from + step : motion_->from - step;
    }
    copyInto(ram_, kPositionAddress, valueGroups(static_cast<uint32_t>(now), kPositionBytes));
    if (now == motion_->target)
        motion_.reset();
}

int ServoUnit::position() const
{
    return static_cast<int>(groupsValue(std::span(ram_).subspan(kPositionAddress, kPositionBytes)));
}
