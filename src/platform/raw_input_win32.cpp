#include "platform/raw_input_win32.h"

#include <cstddef>

namespace corvan {

static_assert(sizeof(RAWINPUTHEADER) == raw_input_layout::kHeaderSize);
static_assert(offsetof(RAWINPUT, data.hid.dwSizeHid) == raw_input_layout::kHidSizeOffset);
static_assert(offsetof(RAWINPUT, data.hid.dwCount) == raw_input_layout::kHidCountOffset);
static_assert(offsetof(RAWINPUT, data.hid.bRawData) == raw_input_layout::kHidReportsOffset);
static_assert(offsetof(RAWINPUT, data.mouse.usButtonFlags) == raw_input_layout::kMouseButtonFlagsOffset);
static_assert(offsetof(RAWINPUT, data.mouse.usButtonData) == raw_input_layout::kMouseButtonDataOffset);
static_assert(offsetof(RAWINPUT, data.mouse.lLastX) == raw_input_layout::kMouseLastXOffset);
static_assert(offsetof(RAWINPUT, data.mouse.lLastY) == raw_input_layout::kMouseLastYOffset);
static_assert(offsetof(RAWINPUT, data.keyboard.VKey) == raw_input_layout::kKeyboardVirtualKeyOffset);
static_assert(offsetof(RAWINPUT, data.keyboard.Message) == raw_input_layout::kKeyboardMessageOffset);
static_assert(sizeof(RAWINPUTHEADER) + sizeof(RAWKEYBOARD) == raw_input_layout::kKeyboardSize);

namespace {

struct ReadSizes {
  UINT queried = 0;
  UINT read = 0;
};

// A message too large for the buffer is not read; its sizes then tell the parser to ignore it.
ReadSizes ReadMessage(HRAWINPUT handle, RawInputBuffer& buffer) {
  UINT size = 0;
  if (GetRawInputData(handle, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)) != 0) return {};
  if (size >= buffer.size()) return {};
  const UINT read = GetRawInputData(handle, RID_INPUT, buffer.data(), &size, sizeof(RAWINPUTHEADER));
  if (read == static_cast<UINT>(-1)) return {};
  return {size, read};
}

}  // namespace

RawInputView ReadRawInput(HRAWINPUT handle, RawInputBuffer& buffer) {
  const ReadSizes sizes = ReadMessage(handle, buffer);
  return ParseRawInput(buffer.data(), sizes.queried, sizes.read);
}

std::optional<RawKeyView> ReadRawKey(HRAWINPUT handle, RawInputBuffer& buffer) {
  const ReadSizes sizes = ReadMessage(handle, buffer);
  return ParseRawKey(buffer.data(), sizes.queried, sizes.read);
}

}  // namespace corvan
