#pragma once

#include <cstddef>
#include <cstdint>

namespace corvan {

// What the platform tells about an opened HID interface: its attributes and the report
// lengths of its capabilities. The lengths are the ones every request must pass.
struct HidInterfaceFacts {
  uint16_t vendorId = 0;
  uint16_t productId = 0;
  uint16_t usagePage = 0;
  uint16_t inputLength = 0;
  uint16_t outputLength = 0;
  uint16_t featureLength = 0;
};

// One opened HID interface. Byte 0 of every report buffer is the report id. Each call
// returns whether the platform accepted it; on failure the buffer is left as it was.
class HidTransport {
 public:
  virtual ~HidTransport() = default;

  // `bytes` holds at least `length` bytes.
  virtual bool SendFeatureReport(const uint8_t* bytes, size_t length) = 0;
  virtual bool SendOutputReport(const uint8_t* bytes, size_t length) = 0;

  // `buffer` holds at least `length` bytes; byte 0 names the report asked for.
  virtual bool GetFeatureReport(uint8_t* buffer, size_t length) = 0;
  virtual bool GetInputReport(uint8_t* buffer, size_t length) = 0;

  // The string descriptor at `index`, as the raw UTF-16LE bytes the platform returns.
  // Some receivers treat the request itself as a command.
  virtual bool GetIndexedString(uint32_t index, uint8_t* buffer, size_t byteSize) = 0;
};

// Protocol pacing. Production sleeps; tests record the milliseconds.
class Sleeper {
 public:
  virtual ~Sleeper() = default;
  virtual void SleepMs(uint32_t ms) = 0;
};

}  // namespace corvan
