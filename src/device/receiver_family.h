#pragma once

#include <cstdint>

#include "device/hid_transport.h"

namespace corvan {

// The only configuration that ever reaches the mouse.
struct ReceiverSettings {
  uint8_t flagByte = 0;       // 0x10: bt3 is not "Forward"; 0x08: bt4 is not "Backward"
  int32_t buttonOrder = 0;    // family 6 only; clamped to 0..5 on the wire
  bool shuttingDown = false;  // family 5 is told the program is closing
};

constexpr int kNoReceiverFamily = 0;

// One receiver family: its own identification test and its command sequences. Which
// interfaces a family is tried on, and in what order, lives in receiver_families.cpp.
struct ReceiverFamily {
  int number;  // 1..6

  // Runs only on interfaces that already passed the gate of the family's lane; may ask
  // the receiver for a string descriptor.
  bool (*identify)(HidTransport& transport, const HidInterfaceFacts& facts);

  void (*apply)(HidTransport& transport, const HidInterfaceFacts& facts,
                const ReceiverSettings& settings, Sleeper& sleeper);

  // Null when the family has no reset of its own: the apply sequence with neutral
  // settings, sent just before, is what puts it back. Only the button order is read.
  void (*reset)(HidTransport& transport, const HidInterfaceFacts& facts,
                const ReceiverSettings& settings, Sleeper& sleeper);
};

// Identifies the interface and sends its family's apply sequence. Returns the family
// number, or kNoReceiverFamily when nothing was sent.
int ApplyToInterface(HidTransport& transport, const HidInterfaceFacts& facts,
                     const ReceiverSettings& settings, Sleeper& sleeper);

// Identifies the interface with the narrower reset rules and sends its reset sequence.
// Of the settings only the button order matters.
int ResetInterface(HidTransport& transport, const HidInterfaceFacts& facts,
                   const ReceiverSettings& settings, Sleeper& sleeper);

// Identification alone, with the apply rules; may send string requests, never a report.
int IdentifyReceiverFamily(HidTransport& transport, const HidInterfaceFacts& facts);

}  // namespace corvan
