// The control language: one line of text that steers a bus of virtual
// servos from a test, the program's options or a file another process
// appends to. Counts and times are decimal; IDs, addresses and bytes hex.
//
//   reset              factory memories, no upload images, no faults, and
//                      nothing left unread on the line
//   silent 1|0         answer nothing (a deaf servo: packets change nothing)
//   short N            answer a read block with N bytes only; -1 for all 16
//   stray N            send N bytes of 7-bit noise after each read block reply
//   reject N           answer the next N upload chunks with 0x40
//   ignore N           leave the next N upload chunks unanswered
//   refuse N           answer the next N FLASH writes with 0x40 and keep FLASH
//                      as it is (the clear too); -1 refuses every one until
//                      "refuse 0" or "reset"
//   delay MS           wait MS milliseconds before every reply
//   pace BAUD          bytes take 10 bits of BAUD each way; 0 for no pacing
//   pace line          the same at the rate the host has set on the line at
//                      the time
//   latency MS         hold reply bytes as a USB adapter's latency timer of
//                      MS does: passed on MS after the first held byte, or
//                      at once when 62 are held; 0 for none
//   badbit N           N > 0: set bit 7 on every reply byte
//   ack 3F             accept upload chunks with this byte (0x00 unless set)
//   echo 1|0           return every byte received ahead of any reply, as a
//                      one-wire adapter does: paced and held like a reply,
//                      bytes no servo hears too
//   upreset 1|0        a restart ("w 9 1") after upload chunks brings the
//                      servo back with the factory memory of ID 3F, RAM and
//                      FLASH; a restart without an upload before it does not
//   locked 1|0         answer RAM and FLASH writes but keep every value (the
//                      clear and the restart still work)
//   vanish             close the line: the device disappears
//   vanish N           the same as the Nth packet from now begins
//   set 20=68,07       preset RAM and FLASH bytes of the bus's first servo
//   setid 3F 20=68,07  the same for the servo with this ID
//   setid 3F#2 20=68   the same for the second servo with this ID (--ids 3F,3F);
//                      "3F" alone is "3F#1"
//   rate 3F 57600      the servo with this ID hears only while the line is set
//                      to 57600 baud (as --ids 3F@57600); 0 for every rate;
//                      "3F#2" for the second servo with this ID
//
// Servos that share an ID all answer its packets, one reply after the other;
// the counted faults (reject, ignore, refuse) count packets, not replies.
//
// "reset" gives each servo back the ID and the rate it was made with.
//
// Blank lines do nothing; anything else that does not parse is refused.
#pragma once

#include "tools/servo_bus.h"

#include <string_view>

// Applies one line; false for a line it does not understand.
bool applyControl(ServoBus& bus, std::string_view line);

// "reset" also clears what the host left unread on the line.
bool isReset(std::string_view line);
