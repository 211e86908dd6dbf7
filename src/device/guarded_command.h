#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/hid_transport.h"

namespace corvan {

// Family 2 command frame: report id, seven command bytes, check byte.
constexpr size_t kGuardedCommandSize = 9;
using GuardedCommand = std::array<uint8_t, kGuardedCommandSize>;

constexpr size_t kGuardedCheckByte = 8;
constexpr int kGuardedReadyAttempts = 21;
constexpr int kGuardedReplyAttempts = 201;
constexpr uint32_t kGuardedPollWaitMs = 4;
constexpr uint32_t kGuardedBeforeSendMs = 2;
constexpr uint32_t kGuardedAfterReplyMs = 3;
constexpr uint8_t kGuardedBusyBit = 0x80;  // in byte 1 of every answer

// XOR of command bytes 1 to 7.
uint8_t GuardedCheckByte(const GuardedCommand& command);

// One guarded exchange: waits until the receiver is not busy, sends `command` (report id
// 0, check byte filled in) as a feature report of `length` bytes, waits `waitMs`, then
// reads the reply into `reply` until the receiver is no longer busy.
// False when the receiver never became ready (nothing sent) or never finished its reply.
// `reply` must hold at least `length` and at least kGuardedCommandSize bytes; a shorter
// one fails at once, without any request.
bool SendGuardedCommand(HidTransport& transport, const GuardedCommand& command,
                        std::span<uint8_t> reply, size_t length, uint32_t waitMs,
                        Sleeper& sleeper);

}  // namespace corvan
