#pragma once

#include <string>
#include <string_view>

#include "device/hid_enumerator.h"
#include "device/hid_transport.h"

namespace corvan {

// The HID interfaces of the machine through the device-setup and HID class calls. Each
// opened interface is a handle without access rights, shared for reading and writing;
// closing cancels its pending I/O first.
class Win32HidEnumerator : public HidEnumerator {
 public:
  std::vector<std::u16string> ListInterfacePaths() override;
  std::optional<OpenedHidInterface> Open(std::u16string_view path) override;
  void Close(OpenedHidInterface& opened) override;
};

// Protocol pacing that can be cut short: once interrupted, every wait returns at once, so a
// sequence that is told to stop runs out quickly instead of pausing at each step.
class Win32Sleeper : public Sleeper {
 public:
  Win32Sleeper();
  ~Win32Sleeper() override;
  Win32Sleeper(const Win32Sleeper&) = delete;
  Win32Sleeper& operator=(const Win32Sleeper&) = delete;
  void SleepMs(uint32_t ms) override;
  void Interrupt();

 private:
  void* interrupted_;  // manual-reset event
};

// Interface paths and the platform's wide strings are both UTF-16 here; a device-arrival
// record's name goes through PathFromWide on its way to ReceiverLink::OnInterfaceArrived.
std::u16string PathFromWide(std::wstring_view wide);
std::wstring WideFromPath(std::u16string_view path);

}  // namespace corvan
