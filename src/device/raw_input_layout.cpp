#include "device/raw_input_layout.h"

#include <cstring>

#include "device/device_events.h"

namespace corvan {
namespace {

template <typename T>
T Read(const uint8_t* data, size_t offset) {
  T value;
  std::memcpy(&value, data + offset, sizeof(T));
  return value;
}

bool WholeMessage(const uint8_t* data, size_t queriedSize, size_t readSize) {
  return data && queriedSize < kRawInputSizeLimit && readSize == queriedSize &&
         readSize >= raw_input_layout::kHeaderSize;
}

}  // namespace

RawInputView ParseRawInput(const uint8_t* data, size_t queriedSize, size_t readSize) {
  using namespace raw_input_layout;
  RawInputView view;
  if (!WholeMessage(data, queriedSize, readSize)) return view;
  const auto type = Read<uint32_t>(data, kTypeOffset);
  if (type == kTypeHid) {
    if (readSize < kHidReportsOffset) return view;
    view.kind = RawInputView::Hid;
    view.reportSize = Read<uint32_t>(data, kHidSizeOffset);
    view.reportCount = Read<uint32_t>(data, kHidCountOffset);
    view.reports = data + kHidReportsOffset;
    view.reportBytesAvailable = readSize - kHidReportsOffset;
    return view;
  }
  if (type == kTypeMouse) {
    if (readSize < kMouseSize) return view;
    view.kind = RawInputView::Mouse;
    view.buttonFlags = Read<uint16_t>(data, kMouseButtonFlagsOffset);
    view.buttonData = Read<int16_t>(data, kMouseButtonDataOffset);
    view.lastX = Read<int32_t>(data, kMouseLastXOffset);
    view.lastY = Read<int32_t>(data, kMouseLastYOffset);
    return view;
  }
  view.kind = RawInputView::Other;
  return view;
}

std::optional<RawKeyView> ParseRawKey(const uint8_t* data, size_t queriedSize, size_t readSize) {
  using namespace raw_input_layout;
  if (!WholeMessage(data, queriedSize, readSize) || readSize < kKeyboardSize) return std::nullopt;
  if (Read<uint32_t>(data, kTypeOffset) != kTypeKeyboard) return std::nullopt;
  return RawKeyView{Read<uint16_t>(data, kKeyboardVirtualKeyOffset), Read<uint32_t>(data, kKeyboardMessageOffset)};
}

}  // namespace corvan
