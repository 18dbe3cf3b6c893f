// Writes, each answer examined: a RAM write and its read back, the settings
// clear, the FLASH write of staged values and their read back after the
// restart, the firmware update.
#pragma once

#include "orvelin/bus.h"
#include "orvelin/outcome.h"
#include "orvelin/reads.h"
#include "orvelin/registers.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orvelin {

// One RAM write, taken when its echo is the value sent.
Outcome writeRam(Bus& bus, int id, int row, uint32_t value);

// A RAM write, then the register read back: it must show the value.
// readBack holds what the read brought.
Outcome setRegister(Bus& bus, int id, int row, uint32_t value, ServoImage& readBack);

// The settings clear (FLASH write of 0x3E8 to SYS_PN), accepted, then the
// restart request: the servo takes its factory settings once restarted.
Outcome clearSettings(Bus& bus, int id);

// The restart request (RAM write of 1 to SYS_RST): the servo restarts and
// runs on its FLASH values.
Outcome sendRestartRequest(Bus& bus, int id);

// Every staged value's FLASH write, in row order, each accepted; the first
// that is not ends it. Rows without a value are not written.
Outcome sendStagedValues(Bus& bus, int id, const StagedValues& values);

// Every register of a servo that may still be restarting: asked again until
// its reply comes whole or wait ends.
Outcome readRestartedServo(Bus& bus, int id, ServoImage& image, std::chrono::milliseconds wait);

// After the restart the servo runs on its FLASH values: its RAM must show
// every staged one. readId is where it answers now (another ID when the
// values change SYS_SID); a servo still restarting is asked again until wait ends.
Outcome verifyStaged(Bus& bus, int readId, const StagedValues& values, std::chrono::milliseconds wait);

// The ID a servo answers on once these values are in force.
int idAfter(int id, const StagedValues& values);

// An update file's bytes, checked as the upload needs them: a plain file,
// 1 to 12288 bytes, each below 0x80. Nothing, with why, otherwise.
std::optional<std::vector<unsigned char>> readUpdateFile(const std::string& path, UploadFailure& why);

// The firmware update: the unlock, the image in checksummed 16-byte chunks
// (five attempts each), and once every chunk is taken the restart request.
// progress(sent, total) after each chunk; false stops it (Status::Stopped).
Outcome updateFirmware(Bus& bus, int id, std::span<const unsigned char> image,
                       const std::function<bool(long sent, long total)>& progress = {});

// Whether a register is one of the servo's settings: not what it is (SYS_PN,
// SYS_VER, SYS_UID), not a request to it (SYS_RST, SYS_ULK), not a reading
// that changes by itself (M_POS and the other M_ registers, FB_TPOS, PWM_OUT).
bool isSetting(int row);

// The settings whose values differ between two images of one servo (before
// and after a firmware update), in row order.
std::vector<int> differingSettings(const ServoImage& before, const ServoImage& now);

// The values of rows in image, to be written back.
StagedValues valuesOf(const ServoImage& image, const std::vector<int>& rows);

// The whole FLASH write of staged values: each value's write, accepted, then
// the restart request, then every value read back from the ID the values
// give the servo (verifyStaged). Nothing is cleared first.
Outcome writeFlashValues(Bus& bus, int id, const StagedValues& values, std::chrono::milliseconds wait);

}  // namespace orvelin
