// The upload's failure kind travels in the per-thread last-error value, as
// the window expects it from the Win32 API; elsewhere a thread_local stands in.
#pragma once

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#else
void SetLastError(uint32_t code);
uint32_t GetLastError();
#endif

inline constexpr uint32_t kUploadOpenFailed = 0x20000001;
inline constexpr uint32_t kUploadNot7Bit = 0x20000002;
inline constexpr uint32_t kUploadNoAck = 0x20000003;
inline constexpr uint32_t kUploadRejected = 0x20000004;
// A command found no port, where the link reports that instead of ending
// the program (set_port_failure).
inline constexpr uint32_t kPortOpenFailed = 0x20000005;
