// The writes of the bus layer, each answer examined: a RAM write and its
// read back, the settings clear, the FLASH write of staged values and their
// read back after the restart, the firmware update.
#pragma once

#include "link/registers.h"
#include "ops/bus/bus_port.h"
#include "ops/bus/outcome.h"
#include "ops/bus/servo_reads.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// One RAM write, taken when its echo is the value sent.
BusOutcome writeRam(BusPort& port, int id, int row, uint32_t value);

// A RAM write, then the register read back: it must show the value.
// readBack holds what the read brought.
BusOutcome setRegister(BusPort& port, int id, int row, uint32_t value, ServoImage& readBack);

// The settings clear "f 0 3e8", accepted, then the restart request: the
// servo takes its factory settings once restarted.
BusOutcome clearSettings(BusPort& port, int id);

// The restart request "w 9 1".
BusOutcome sendRestartRequest(BusPort& port, int id);

// FLASH values by paramtbl row; rows without a value are not written.
using StagedValues = std::array<std::optional<uint32_t>, kParamRows>;

// Every staged value's FLASH write, in row order, each accepted; the first
// that is not ends it.
BusOutcome sendStagedValues(BusPort& port, int id, const StagedValues& values);

// After the restart the servo runs on its FLASH values: its RAM must show
// every staged one. readId is where it answers now (another ID when the
// values change SYS_SID); a servo still restarting is asked again until wait ends.
BusOutcome verifyStaged(BusPort& port, int readId, const StagedValues& values, std::chrono::milliseconds wait);

// The ID a servo answers on once these values are in force.
int idAfter(int id, const StagedValues& values);

// The firmware update: the unlock, the upload of the file in checksummed
// chunks (five attempts each), and once every chunk is taken the restart.
// progress(sent, total) after each chunk; false stops it (BusStatus::Stopped).
BusOutcome updateFirmware(BusPort& port, int id, const std::string& path,
                          const std::function<bool(long sent, long total)>& progress);
