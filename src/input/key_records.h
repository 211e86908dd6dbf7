#pragma once

#include <cstdint>
#include <vector>

namespace corvan {

// Values of the platform's keyboard input record.
inline constexpr uint32_t kInputKeyboard = 1;
inline constexpr uint32_t kKeyEventExtendedKey = 0x1;
inline constexpr uint32_t kKeyEventKeyUp = 0x2;
inline constexpr uint32_t kKeyEventScanCode = 0x8;

// Modifier bits of a key combination, as catalogue entries carry them.
inline constexpr uint8_t kModifierLeftCtrl = 0x01;
inline constexpr uint8_t kModifierLeftShift = 0x02;
inline constexpr uint8_t kModifierLeftAlt = 0x04;
inline constexpr uint8_t kModifierLeftWindows = 0x08;
inline constexpr uint8_t kModifierRightCtrl = 0x10;
inline constexpr uint8_t kModifierRightShift = 0x20;
inline constexpr uint8_t kModifierRightAlt = 0x40;
inline constexpr uint8_t kModifierRightWindows = 0x80;

// One synthesised keyboard event, field for field what the platform's injection call is given.
// The extra information is added by the platform layer when it sends the record.
struct KeyRecord {
  uint32_t type = kInputKeyboard;
  uint16_t virtualKey = 0;
  uint16_t scanCode = 0;
  uint32_t flags = 0;
  uint32_t time = 0;  // 0: the platform stamps it

  bool IsKeyUp() const { return (flags & kKeyEventKeyUp) != 0; }
  bool operator==(const KeyRecord&) const = default;
};

// The records of one press or release of `modifiers` + `key`: the modifiers as scan codes in bit
// order 0x01 to 0x80, then the key (a virtual key, or with `scanMode` a scan code whose non-zero
// high byte marks it extended). The key's record is there even for key 0. A release lists the
// keys in the same order as a press.
std::vector<KeyRecord> KeyCombinationRecords(uint8_t modifiers, uint16_t key, bool down, bool scanMode);

class KeyboardInjector {
 public:
  virtual ~KeyboardInjector() = default;
  // Sends one record on its own; false when the platform did not take it.
  virtual bool Send(const KeyRecord& record) = 0;
};

// Sends the records of KeyCombinationRecords one call each. Never leaves a key down on its own
// account: a press the platform refuses part-way stops there and releases what already went down,
// and a refused release is tried once more.
void SendKeyCombination(KeyboardInjector& injector, uint8_t modifiers, uint16_t key, bool down, bool scanMode);

}  // namespace corvan
