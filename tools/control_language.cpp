#include "tools/control_language.h"

#include "tools/text_numbers.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace {

std::vector<std::string_view> words(std::string_view line)
{
    constexpr std::string_view kSpace = " \t\r\n";
    std::vector<std::string_view> out;
    for (std::size_t at = line.find_first_not_of(kSpace); at != std::string_view::npos;) {
        std::size_t end = std::min(line.find_first_of(kSpace, at), line.size());
        out.push_back(line.substr(at, end - at));
        at = line.find_first_not_of(kSpace, end);
    }
    return out;
}

struct NumberSetting {
    std::string_view word;
    int VirtualServoFaults::*field;
    int lowest;
};

constexpr std::array kNumberSettings = {
    NumberSetting{"short", &VirtualServoFaults::shortReply, -1},
    NumberSetting{"stray", &VirtualServoFaults::strayAfterRead, 0},
    NumberSetting{"reject", &VirtualServoFaults::rejectUploads, 0},
    NumberSetting{"ignore", &VirtualServoFaults::ignoreUploads, 0},
    NumberSetting{"refuse", &VirtualServoFaults::refuseFlash, -1},
    NumberSetting{"delay", &VirtualServoFaults::replyDelayMs, 0},
    NumberSetting{"pace", &VirtualServoFaults::paceBaud, 0},
    NumberSetting{"latency", &VirtualServoFaults::latencyMs, 0},
    NumberSetting{"badbit", &VirtualServoFaults::badBitReply, 0},
    NumberSetting{"vanish", &VirtualServoFaults::vanishAfter, 1},
};

// Settings that are on (1) or off (0).
struct SwitchSetting {
    std::string_view word;
    bool VirtualServoFaults::*field;
};

constexpr std::array kSwitchSettings = {
    SwitchSetting{"silent", &VirtualServoFaults::silent},
    SwitchSetting{"locked", &VirtualServoFaults::locked},
    SwitchSetting{"echo", &VirtualServoFaults::echo},
    SwitchSetting{"upreset", &VirtualServoFaults::updateResets},
};

// Settings whose operand is a byte in hexadecimal.
constexpr std::array kByteSettings = {
    NumberSetting{"ack", &VirtualServoFaults::uploadAck, 0},
};

struct ServoChoice {
    int id;
    int nth;
};

// "3F" or "3F#2": an ID, and which of the servos that share it (from 1).
std::optional<ServoChoice> servoChoice(std::string_view word)
{
    std::size_t hash = word.find('#');
    std::optional<int> id = parseNumber(word.substr(0, hash), 16);
    std::optional<int> nth = hash == std::string_view::npos ? 1 : parseNumber(word.substr(hash + 1), 10);
    if (!id || !nth)
        return std::nullopt;
    return ServoChoice{*id, *nth};
}

// "20=68,07": an address and the bytes from it on.
bool presetBytes(ServoBus& bus, ServoChoice servo, std::string_view assignment)
{
    std::size_t equals = assignment.find('=');
    if (equals == std::string_view::npos)
        return false;
    std::optional<int> address = parseNumber(assignment.substr(0, equals), 16);
    std::vector<uint8_t> bytes;
    std::string_view rest = assignment.substr(equals + 1);
    for (std::size_t at = 0; at <= rest.size();) {
        std::size_t comma = std::min(rest.find(',', at), rest.size());
        std::optional<int> byte = parseNumber(rest.substr(at, comma - at), 16);
        if (!byte || *byte < 0 || *byte > 0xFF)
            return false;
        bytes.push_back(static_cast<uint8_t>(*byte));
        at = comma + 1;
    }
    return address && bus.preset(servo.id, *address, bytes, servo.nth);
}

}  // namespace

bool applyControl(ServoBus& bus, std::string_view line)
{
    std::vector<std::string_view> w = words(line);
    if (w.empty())
        return true;
    if (w.size() == 1 && w[0] == "reset") {
        bus.reset();
        return true;
    }
    if (w.size() == 1 && w[0] == "vanish") {
        bus.faults.vanish = true;
        return true;
    }
    if (w.size() == 2 && w[0] == "set") {
        std::optional<int> id = bus.firstId();
        return id && presetBytes(bus, {*id, 1}, w[1]);
    }
    if (w.size() == 3 && w[0] == "setid") {
        std::optional<ServoChoice> servo = servoChoice(w[1]);
        return servo && presetBytes(bus, *servo, w[2]);
    }
    if (w.size() == 3 && w[0] == "rate") {
        std::optional<ServoChoice> choice = servoChoice(w[1]);
        std::optional<int> baud = parseNumber(w[2], 10);
        ServoUnit* servo = choice ? bus.unit(choice->id, choice->nth) : nullptr;
        if (servo == nullptr || !baud || *baud < 0)
            return false;
        servo->setBaud(*baud);
        return true;
    }
    if (w.size() != 2)
        return false;
    if (w[0] == "pace" && w[1] == "line") {
        bus.faults.paceLine = true;
        bus.faults.paceBaud = 0;
        return true;
    }
    for (const NumberSetting& setting : kByteSettings) {
        std::optional<int> byte = parseNumber(w[1], 16);
        if (w[0] == setting.word && byte && *byte >= 0 && *byte <= 0xFF) {
            bus.faults.*setting.field = *byte;
            return true;
        }
    }
    std::optional<int> number = parseNumber(w[1], 10);
    if (!number)
        return false;
    for (const SwitchSetting& setting : kSwitchSettings) {
        if (w[0] == setting.word && (*number == 0 || *number == 1)) {
            bus.faults.*setting.field = *number == 1;
            return true;
        }
    }
    for (const NumberSetting& setting : kNumberSettings) {
        if (w[0] == setting.word && *number >= setting.lowest) {
            bus.faults.*setting.field = *number;
            // A rate of its own replaces the line's.
            if (setting.field == &VirtualServoFaults::paceBaud)
                bus.faults.paceLine = false;
            return true;
        }
    }
    return false;
}

bool isReset(std::string_view line)
{
    std::vector<std::string_view> w = words(line);
    return w.size() == 1 && w[0] == "reset";
}
