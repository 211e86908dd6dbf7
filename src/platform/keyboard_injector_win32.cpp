#include "platform/keyboard_injector_win32.h"

namespace corvan {

INPUT InputFromKeyRecord(const KeyRecord& record, ULONG_PTR extraInfo) {
  INPUT input{};
  input.type = record.type;
  input.ki.wVk = record.virtualKey;
  input.ki.wScan = record.scanCode;
  input.ki.dwFlags = record.flags;
  input.ki.time = record.time;
  input.ki.dwExtraInfo = extraInfo;
  if (record.flags & kKeyEventScanCode) {
    // Modifier records carry the 0xE0 prefix in the high byte, key records only the extended flag.
    UINT scanCode = record.scanCode;
    if ((record.flags & kKeyEventExtendedKey) && (scanCode & 0xFF00) == 0) scanCode |= 0xE000;
    WORD virtualKey = static_cast<WORD>(MapVirtualKeyW(scanCode, MAPVK_VSC_TO_VK_EX));
    // Wine answers the left key for the prefixed right Control and right Alt.
    if (record.flags & kKeyEventExtendedKey) {
      if (virtualKey == VK_LCONTROL) virtualKey = VK_RCONTROL;
      if (virtualKey == VK_LMENU) virtualKey = VK_RMENU;
    }
    input.ki.wVk = virtualKey;
  }
  return input;
}

bool Win32KeyboardInjector::Send(const KeyRecord& record) {
  INPUT input = InputFromKeyRecord(record, static_cast<ULONG_PTR>(GetMessageExtraInfo()));
  return SendInput(1, &input, sizeof(INPUT)) == 1;
}

}  // namespace corvan
