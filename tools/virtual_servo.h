// A servo on a pseudo-terminal: the far end of every test and the demo's
// default device. It answers the host's packets from a 96-byte register
// memory per servo, keeps a FLASH copy and an upload image, and can be told
// to misbehave. Each servo may hear one baud rate only, and the line may
// echo as a one-wire adapter does.
#pragma once

#include "tools/bus_servo.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

struct VirtualServoFaults {
    bool silent = false;          // answer nothing
    int shortReply = -1;          // >= 0: answer a read block with this many bytes only
    int strayAfterRead = 0;       // bytes of noise sent after each read block reply
    int rejectUploads = 0;        // answer the first N upload packets with 0x40
    int refuseFlash = 0;          // answer the first N FLASH writes with 0x40 and keep FLASH; < 0: all
    int ignoreUploads = 0;        // leave the first N upload packets unanswered
    int replyDelayMs = 0;         // wait this long before every reply
    int paceBaud = 0;             // > 0: bytes take 10 bits of this rate each way
    bool paceLine = false;        // bytes take 10 bits of the rate the host has set, whatever paceBaud says
    int latencyMs = 0;            // > 0: replies held as by a USB adapter's latency timer
    int badBitReply = 0;          // > 0: replies carry bytes with bit 7 set
    bool vanish = false;          // close the line: the device disappears
    int vanishAfter = 0;          // > 0: vanish when this many more packets have begun
    int uploadAck = 0x00;         // the byte that accepts an upload chunk
    bool locked = false;          // answer RAM and FLASH writes as usual but keep every value as it was
    bool echo = false;            // return every byte received ahead of any reply, as a one-wire adapter
    bool updateResets = false;    // a restart after upload chunks brings the factory memory of ID 3F
};

class VirtualServo {
public:
    // One servo with the factory ID, 3F.
    VirtualServo();
    // ids: the servos on this bus in order, each with its own memory. An ID
    // given twice puts two servos on it, and both answer its packets.
    explicit VirtualServo(std::vector<int> ids);
    // The same with the rate each servo hears: the list {{0x01, 57600},
    // {0x3F}} puts a servo that hears only 57600 baud and one that hears
    // every rate on the bus (parseBusServos reads "1@57600,3F"). Servos on
    // one ID at different rates are two servos: each answers only at its
    // own rate. A span, so that VirtualServo({0x01}) still means the IDs.
    explicit VirtualServo(std::span<const BusServo> servos);
    ~VirtualServo();
    VirtualServo(const VirtualServo&) = delete;
    VirtualServo& operator=(const VirtualServo&) = delete;

    // Opens the pseudo-terminal and starts answering on a thread of its own.
    bool start();
    void stop();
    // Path of the terminal the host opens (/dev/pts/N).
    const std::string& devicePath() const;
    // Makes path a symbolic link to the terminal, removed before the
    // terminal closes (stop, vanish): the system gives the freed /dev/pts/N
    // to the next terminal, which a host still holding the old name would
    // reach, while the link then names nothing. Returns an error message,
    // empty on success. Call after start(); a later start() links the new
    // terminal.
    std::string linkTo(const std::string& path);

    void setFaults(const VirtualServoFaults& faults);
    VirtualServoFaults faults() const;

    // One line of the control language (see control_language.h):
    // "reset", "silent 1", "short 10", "stray 5", "reject 3", "ignore 2",
    // "refuse 2", "delay 30", "pace 115200", "latency 16", "badbit 1", "vanish",
    // "set 20=68,07", "setid 3F 20=68,07", "setid 01#2 20=68,07", "pace line",
    // "echo 1", "upreset 1", "rate 01 57600". Returns false for a line it
    // does not understand.
    bool control(const std::string& line);
    // Applies the lines appended to this file since the last look, before
    // every packet: how a process that cannot reach this object steers it.
    void watchControlFile(const std::string& path);
    // Every packet received is also appended to this file as one line of
    // hexadecimal bytes ("BF 61 09 01").
    void logPacketsTo(const std::string& path);

    // Memory access for tests; with two servos on an ID, the first one's.
    void setMemory(int id, int address, const std::vector<uint8_t>& bytes);
    std::vector<uint8_t> memory(int id) const;       // 96 RAM bytes
    std::vector<uint8_t> flashMemory(int id) const;  // 96 FLASH bytes
    std::vector<uint8_t> uploadImage(int id) const;  // bytes from chunk address 0x1000 on

    // Packets received so far, each as its bytes, in order of arrival.
    std::vector<std::vector<uint8_t>> packets() const;
    void clearPackets();
    // Every byte received, packets and noise alike.
    std::vector<uint8_t> received() const;

    // How far behind its time on the wire the servo sent a byte, at worst,
    // since it started or clearLag(). A real servo is never behind; this
    // one is when a busy machine holds its thread, and then a test of the
    // host's timing says nothing.
    std::chrono::microseconds worstLag() const;
    void clearLag();

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};

// Formats bytes as "BF 61 09 01".
std::string hexBytes(const std::vector<uint8_t>& bytes);
