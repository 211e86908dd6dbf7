#include "platform/hid_win32.h"

#include <windows.h>
#include <setupapi.h>
// mingw-w64's HID headers (hidsdi.h brings hidusage.h and hidpi.h) rely on <windows.h>
// having come first and declare the functions without C linkage.
extern "C" {
#include <hidsdi.h>
}

#include <cstddef>
#include <cwchar>
#include <memory>
#include <utility>
#include <vector>

namespace corvan {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "interface paths are UTF-16 on Windows");

class Win32HidTransport : public HidTransport {
 public:
  explicit Win32HidTransport(HANDLE handle) : handle_(handle) {}
  ~Win32HidTransport() override {
    CancelIo(handle_);
    CloseHandle(handle_);
  }
  Win32HidTransport(const Win32HidTransport&) = delete;
  Win32HidTransport& operator=(const Win32HidTransport&) = delete;

  bool SendFeatureReport(const uint8_t* bytes, size_t length) override {
    // The call takes a writable buffer; the caller's stays untouched.
    std::vector<uint8_t> report(bytes, bytes + length);
    return HidD_SetFeature(handle_, report.data(), static_cast<ULONG>(length)) != FALSE;
  }

  bool SendOutputReport(const uint8_t* bytes, size_t length) override {
    std::vector<uint8_t> report(bytes, bytes + length);
    return HidD_SetOutputReport(handle_, report.data(), static_cast<ULONG>(length)) != FALSE;
  }

  bool GetFeatureReport(uint8_t* buffer, size_t length) override {
    return HidD_GetFeature(handle_, buffer, static_cast<ULONG>(length)) != FALSE;
  }

  bool GetInputReport(uint8_t* buffer, size_t length) override {
    return HidD_GetInputReport(handle_, buffer, static_cast<ULONG>(length)) != FALSE;
  }

  bool GetIndexedString(uint32_t index, uint8_t* buffer, size_t byteSize) override {
    return HidD_GetIndexedString(handle_, index, buffer, static_cast<ULONG>(byteSize)) != FALSE;
  }

 private:
  HANDLE handle_;
};

// Facts that cannot be read stay 0, which no receiver family accepts.
HidInterfaceFacts ReadFacts(HANDLE handle) {
  HidInterfaceFacts facts;
  PHIDP_PREPARSED_DATA preparsed = nullptr;
  if (HidD_GetPreparsedData(handle, &preparsed)) {
    HIDP_CAPS caps{};
    if (HidP_GetCaps(preparsed, &caps) == HIDP_STATUS_SUCCESS) {
      facts.usagePage = caps.UsagePage;
      facts.inputLength = caps.InputReportByteLength;
      facts.outputLength = caps.OutputReportByteLength;
      facts.featureLength = caps.FeatureReportByteLength;
    }
    HidD_FreePreparsedData(preparsed);
  }
  HIDD_ATTRIBUTES attributes{};
  attributes.Size = sizeof attributes;
  if (HidD_GetAttributes(handle, &attributes)) {
    facts.vendorId = attributes.VendorID;
    facts.productId = attributes.ProductID;
  }
  return facts;
}

// The path of one enumerated interface, or nothing when its detail cannot be read.
std::optional<std::u16string> InterfacePath(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& data) {
  DWORD required = 0;
  SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &required, nullptr);
  constexpr size_t kPathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath);
  if (required <= kPathOffset) return std::nullopt;

  // DWORD elements keep the record aligned as the platform expects it.
  std::vector<DWORD> storage((required + sizeof(DWORD) - 1) / sizeof(DWORD), 0);
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
  // The size of the fixed part of the record (8 in a 64-bit program), not of the buffer.
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
  if (!SetupDiGetDeviceInterfaceDetailW(set, &data, detail, required, nullptr, nullptr)) {
    return std::nullopt;
  }
  const size_t maxUnits = (required - kPathOffset) / sizeof(WCHAR);
  const wchar_t* path = reinterpret_cast<const wchar_t*>(
      reinterpret_cast<const std::byte*>(storage.data()) + kPathOffset);
  return PathFromWide(std::wstring_view(path, wcsnlen(path, maxUnits)));
}

}  // namespace

std::u16string PathFromWide(std::wstring_view wide) { return std::u16string(wide.begin(), wide.end()); }

std::wstring WideFromPath(std::u16string_view path) { return std::wstring(path.begin(), path.end()); }

std::vector<std::u16string> Win32HidEnumerator::ListInterfacePaths() {
  std::vector<std::u16string> paths;
  GUID hidClass{};
  HidD_GetHidGuid(&hidClass);
  HDEVINFO set = SetupDiGetClassDevsW(&hidClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return paths;
  // Indexes are dense; the first failure, normally ERROR_NO_MORE_ITEMS, ends the list.
  for (DWORD index = 0;; ++index) {
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof data;
    if (!SetupDiEnumDeviceInterfaces(set, nullptr, &hidClass, index, &data)) break;
    if (std::optional<std::u16string> path = InterfacePath(set, data)) paths.push_back(std::move(*path));
  }
  SetupDiDestroyDeviceInfoList(set);
  return paths;
}

std::optional<OpenedHidInterface> Win32HidEnumerator::Open(std::u16string_view path) {
  const std::wstring widePath = WideFromPath(path);
  SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
  HANDLE handle = CreateFileW(widePath.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, &security,
                              OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  OpenedHidInterface opened;
  opened.facts = ReadFacts(handle);
  opened.transport = std::make_unique<Win32HidTransport>(handle);
  return opened;
}

void Win32HidEnumerator::Close(OpenedHidInterface& opened) { opened.transport.reset(); }

Win32Sleeper::Win32Sleeper() : interrupted_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

Win32Sleeper::~Win32Sleeper() {
  if (interrupted_) CloseHandle(interrupted_);
}

void Win32Sleeper::SleepMs(uint32_t ms) {
  if (interrupted_) {
    WaitForSingleObject(interrupted_, ms);
  } else {
    Sleep(ms);
  }
}

void Win32Sleeper::Interrupt() {
  if (interrupted_) SetEvent(interrupted_);
}

}  // namespace corvan
