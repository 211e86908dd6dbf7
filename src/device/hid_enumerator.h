#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/hid_transport.h"

namespace corvan {

// An interface opened for one short exchange. The transport is valid until Close.
struct OpenedHidInterface {
  std::unique_ptr<HidTransport> transport;
  HidInterfaceFacts facts;
};

// Lists the HID interfaces present now and opens them by path. Paths are UTF-16 on every
// platform, the way the platform's device-interface paths are spelled.
class HidEnumerator {
 public:
  virtual ~HidEnumerator() = default;

  // Every interface present at the moment of the call.
  virtual std::vector<std::u16string> ListInterfacePaths() = 0;

  // Shared read/write open without access rights, which is enough for every request a
  // receiver needs. Empty when the interface is gone, in exclusive use or not allowed.
  virtual std::optional<OpenedHidInterface> Open(std::u16string_view path) = 0;

  // Cancels pending I/O and closes; `opened.transport` is empty afterwards.
  virtual void Close(OpenedHidInterface& opened) = 0;
};

}  // namespace corvan
