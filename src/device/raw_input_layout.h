#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace corvan {

// The bytes of one raw-input message as the 64-bit platform lays them out: a 24-byte header
// (type, size, device handle, wParam), then for a HID the report size, the report count and the
// reports, for a mouse the flags, button flags and data, raw buttons and relative motion, and for a
// keyboard the scan code, flags, virtual key and window message.
namespace raw_input_layout {
inline constexpr size_t kHeaderSize = 24;
inline constexpr size_t kTypeOffset = 0;
inline constexpr size_t kHidSizeOffset = kHeaderSize + 0;
inline constexpr size_t kHidCountOffset = kHeaderSize + 4;
inline constexpr size_t kHidReportsOffset = kHeaderSize + 8;
inline constexpr size_t kMouseButtonFlagsOffset = kHeaderSize + 4;
inline constexpr size_t kMouseButtonDataOffset = kHeaderSize + 6;
inline constexpr size_t kMouseLastXOffset = kHeaderSize + 12;
inline constexpr size_t kMouseLastYOffset = kHeaderSize + 16;
inline constexpr size_t kMouseSize = kHeaderSize + 24;
inline constexpr size_t kKeyboardVirtualKeyOffset = kHeaderSize + 6;
inline constexpr size_t kKeyboardMessageOffset = kHeaderSize + 8;
inline constexpr size_t kKeyboardSize = kHeaderSize + 16;
inline constexpr uint32_t kTypeMouse = 0;
inline constexpr uint32_t kTypeKeyboard = 1;
inline constexpr uint32_t kTypeHid = 2;
}  // namespace raw_input_layout

struct RawInputView {
  enum Kind { Ignored, Hid, Mouse, Other };
  Kind kind = Ignored;
  // Hid: the reports as the message carries them, and how many of their bytes were really read.
  const uint8_t* reports = nullptr;
  size_t reportSize = 0;
  size_t reportCount = 0;
  size_t reportBytesAvailable = 0;
  // Mouse.
  uint16_t buttonFlags = 0;
  int16_t buttonData = 0;
  int32_t lastX = 0;
  int32_t lastY = 0;
};

// Reads one message: `queriedSize` is the size the platform announced, `readSize` what it then
// copied. Messages of 1000 bytes or more, short reads and truncated headers are ignored.
// A keyboard's message is Other here: only the window that asked for the keyboard reads its key.
RawInputView ParseRawInput(const uint8_t* data, size_t queriedSize, size_t readSize);

struct RawKeyView {
  uint16_t virtualKey = 0;
  uint32_t message = 0;  // the window message the key stands for: key down or up, system or not
  bool operator==(const RawKeyView&) const = default;
};

// The key of a keyboard's message, read by the same rules; nothing for any other message.
std::optional<RawKeyView> ParseRawKey(const uint8_t* data, size_t queriedSize, size_t readSize);

}  // namespace corvan
