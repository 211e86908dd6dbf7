#include "device/guarded_command.h"

#include <algorithm>
#include <vector>

namespace corvan {
namespace {

bool IsIdle(const uint8_t* answer) { return (answer[1] & kGuardedBusyBit) == 0; }

// Reads feature report 0 into `buffer` up to `attempts` times, 4 ms apart, until the
// receiver answers and is not busy.
bool PollUntilIdle(HidTransport& transport, uint8_t* buffer, size_t length, int attempts,
                   Sleeper& sleeper) {
  for (int attempt = 0; attempt < attempts; ++attempt) {
    if (attempt > 0) sleeper.SleepMs(kGuardedPollWaitMs);
    buffer[0] = 0;
    if (transport.GetFeatureReport(buffer, length) && IsIdle(buffer)) return true;
  }
  return false;
}

}  // namespace

uint8_t GuardedCheckByte(const GuardedCommand& command) {
  uint8_t check = 0;
  for (size_t i = 1; i < kGuardedCheckByte; ++i) check ^= command[i];
  return check;
}

bool SendGuardedCommand(HidTransport& transport, const GuardedCommand& command,
                        std::span<uint8_t> reply, size_t length, uint32_t waitMs,
                        Sleeper& sleeper) {
  if (reply.size() < std::max(length, kGuardedCommandSize)) return false;

  // The frame and the ready-poll scratch are padded to the report length so that the
  // platform never reads or writes past them.
  std::vector<uint8_t> frame(std::max(length, kGuardedCommandSize), 0);
  std::copy(command.begin(), command.end(), frame.begin());
  frame[kGuardedCheckByte] = GuardedCheckByte(command);
  frame[0] = 0;

  std::vector<uint8_t> scratch = frame;
  if (!PollUntilIdle(transport, scratch.data(), length, kGuardedReadyAttempts, sleeper)) {
    return false;
  }
  sleeper.SleepMs(kGuardedBeforeSendMs);
  // A rejected send is not retried: the reply poll below finds out whether it arrived.
  transport.SendFeatureReport(frame.data(), length);
  sleeper.SleepMs(waitMs);
  if (!PollUntilIdle(transport, reply.data(), length, kGuardedReplyAttempts, sleeper)) {
    return false;
  }
  sleeper.SleepMs(kGuardedAfterReplyMs);
  return true;
}

}  // namespace corvan
