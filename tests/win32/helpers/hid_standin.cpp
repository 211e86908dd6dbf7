// A stand-in for the system's hid.dll, loaded by tests under Wine (WINEDLLOVERRIDES=hid=n with
// this library beside the program). Enumeration and opening stay the system's: every HID
// interface Wine presents is found and opened for real. What the interface answers comes from the
// receiver simulator, as one receiver family chosen per run:
//   CORVAN_STANDIN_FAMILY      1..6 (anything else: an ordinary mouse)
//   CORVAN_STANDIN_FAULT       optional fault, "name@N": rejects, strings, unplugged, never-ready,
//                              from request N of each opened interface (counting from 0)
//   CORVAN_STANDIN_DELAY_MS    optional time each request takes, as a slow receiver's would
//   CORVAN_STANDIN_PLUG        optional file: while it exists, every receiver is unplugged from
//                              the request number it holds (counting from 0 in each opening;
//                              none, or 0, and an opening finds nothing), and once it is gone
//                              they are back; a script plugs and unplugs through it
//   CORVAN_STANDIN_TRANSCRIPT  file that gets one line per request ("refused" at the end when it
//                              failed), and "open" per interface
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>

#include "receiver_simulator.h"

using corvan::HidInterfaceFacts;
using corvan::testing::ReceiverSimulator;
using corvan::testing::SimulatedFault;

namespace {

struct Attributes {  // HIDD_ATTRIBUTES
  ULONG size;
  USHORT vendorId;
  USHORT productId;
  USHORT versionNumber;
};

struct Caps {  // HIDP_CAPS
  USHORT usage;
  USHORT usagePage;
  USHORT inputReportByteLength;
  USHORT outputReportByteLength;
  USHORT featureReportByteLength;
  USHORT reserved[17];
  USHORT counts[10];
};

constexpr LONG kHidpStatusSuccess = 0x00110000;
constexpr LONG kHidpStatusInvalidPreparsedData = static_cast<LONG>(0xC0110001);
constexpr GUID kHidClass = {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

struct Preparsed {
  HidInterfaceFacts facts;
};

std::mutex mutex;
std::map<HANDLE, std::unique_ptr<ReceiverSimulator>> receivers;

// Read from the process's environment block, so that a test can change it between passes.
std::string Environment(const char* name) {
  char value[1024];
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

void Record(const std::string& line) {
  const std::string path = Environment("CORVAN_STANDIN_TRANSCRIPT");
  if (path.empty()) return;
  std::ofstream out(path, std::ios::app);
  out << line << '\n';
}

std::unique_ptr<ReceiverSimulator> NewReceiver() {
  const int family = std::atoi(Environment("CORVAN_STANDIN_FAMILY").c_str());
  auto receiver = std::make_unique<ReceiverSimulator>(family >= 1 && family <= 6 ? corvan::testing::ReceiverOfFamily(family)
                                                                                 : corvan::testing::VirtualMouse());
  const std::string fault = Environment("CORVAN_STANDIN_FAULT");
  const size_t at = fault.find('@');
  const std::string name = fault.substr(0, at);
  const size_t from = at == std::string::npos ? 0 : std::strtoul(fault.c_str() + at + 1, nullptr, 10);
  if (name == "rejects") receiver->InjectFault(SimulatedFault::kRejectsReports, from);
  if (name == "strings") receiver->InjectFault(SimulatedFault::kStringsFail, from);
  if (name == "unplugged") receiver->InjectFault(SimulatedFault::kUnplugged, from);
  if (name == "never-ready") receiver->InjectFault(SimulatedFault::kNeverReady, from);
  return receiver;
}

// The request from which the receivers are gone, or nothing while they are plugged in.
std::optional<size_t> UnpluggedFrom() {
  const std::string plug = Environment("CORVAN_STANDIN_PLUG");
  if (plug.empty()) return std::nullopt;
  std::ifstream file(plug);
  if (!file) return std::nullopt;
  size_t from = 0;
  file >> from;
  return from;
}

// Runs one request against the receiver behind the handle and writes what it heard.
template <typename Request>
BOOLEAN Ask(HANDLE handle, Request request) {
  if (const int delayMs = std::atoi(Environment("CORVAN_STANDIN_DELAY_MS").c_str()); delayMs > 0) Sleep(delayMs);
  std::lock_guard lock(mutex);
  const auto found = receivers.find(handle);
  if (found == receivers.end()) return FALSE;
  ReceiverSimulator& receiver = *found->second;
  if (const auto from = UnpluggedFrom(); from && receiver.Calls().size() >= *from) {
    Record("unplugged");
    SetLastError(ERROR_DEVICE_NOT_CONNECTED);
    return FALSE;
  }
  const size_t before = receiver.Calls().size();
  const bool accepted = request(receiver);
  for (size_t i = before; i < receiver.Calls().size(); ++i) {
    std::ostringstream line;
    line << receiver.Calls()[i];
    if (!accepted) line << " refused";
    Record(line.str());
  }
  return accepted ? TRUE : FALSE;
}

}  // namespace

extern "C" {

__declspec(dllexport) void WINAPI HidD_GetHidGuid(GUID* guid) { *guid = kHidClass; }

// Called first on every interface that is opened: a receiver is plugged in behind the handle.
__declspec(dllexport) BOOLEAN WINAPI HidD_GetPreparsedData(HANDLE handle, void** preparsed) {
  std::lock_guard lock(mutex);
  if (UnpluggedFrom() == size_t{0}) {
    receivers.erase(handle);
    Record("open unplugged");
    SetLastError(ERROR_DEVICE_NOT_CONNECTED);
    return FALSE;
  }
  auto receiver = NewReceiver();
  *preparsed = new Preparsed{receiver->Facts()};
  receivers[handle] = std::move(receiver);
  Record("open");
  return TRUE;
}

__declspec(dllexport) BOOLEAN WINAPI HidD_FreePreparsedData(void* preparsed) {
  delete static_cast<Preparsed*>(preparsed);
  return TRUE;
}

__declspec(dllexport) LONG WINAPI HidP_GetCaps(void* preparsed, Caps* caps) {
  if (!preparsed) return kHidpStatusInvalidPreparsedData;
  const HidInterfaceFacts& facts = static_cast<Preparsed*>(preparsed)->facts;
  std::memset(caps, 0, sizeof(*caps));
  caps->usagePage = facts.usagePage;
  caps->inputReportByteLength = facts.inputLength;
  caps->outputReportByteLength = facts.outputLength;
  caps->featureReportByteLength = facts.featureLength;
  return kHidpStatusSuccess;
}

__declspec(dllexport) BOOLEAN WINAPI HidD_GetAttributes(HANDLE handle, Attributes* attributes) {
  std::lock_guard lock(mutex);
  const auto found = receivers.find(handle);
  if (found == receivers.end()) return FALSE;
  const HidInterfaceFacts facts = found->second->Facts();
  attributes->vendorId = facts.vendorId;
  attributes->productId = facts.productId;
  attributes->versionNumber = 0;
  return TRUE;
}

__declspec(dllexport) BOOLEAN WINAPI HidD_SetFeature(HANDLE handle, void* report, ULONG length) {
  return Ask(handle, [&](ReceiverSimulator& r) { return r.SendFeatureReport(static_cast<uint8_t*>(report), length); });
}

__declspec(dllexport) BOOLEAN WINAPI HidD_SetOutputReport(HANDLE handle, void* report, ULONG length) {
  return Ask(handle, [&](ReceiverSimulator& r) { return r.SendOutputReport(static_cast<uint8_t*>(report), length); });
}

__declspec(dllexport) BOOLEAN WINAPI HidD_GetFeature(HANDLE handle, void* report, ULONG length) {
  return Ask(handle, [&](ReceiverSimulator& r) { return r.GetFeatureReport(static_cast<uint8_t*>(report), length); });
}

__declspec(dllexport) BOOLEAN WINAPI HidD_GetInputReport(HANDLE handle, void* report, ULONG length) {
  return Ask(handle, [&](ReceiverSimulator& r) { return r.GetInputReport(static_cast<uint8_t*>(report), length); });
}

__declspec(dllexport) BOOLEAN WINAPI HidD_GetIndexedString(HANDLE handle, ULONG index, void* buffer, ULONG length) {
  return Ask(handle,
             [&](ReceiverSimulator& r) { return r.GetIndexedString(index, static_cast<uint8_t*>(buffer), length); });
}

}  // extern "C"
