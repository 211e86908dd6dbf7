// The soak run's hands inside Wine: one long-lived process that sends /run requests to the
// running copy and reads what the copy holds, so that a cycle does not pay for a process start
// per step. It reads one command per line on stdin and answers one line on stdout:
//   run <name>          -> "ran" | "busy" | "no copy" | "bad name"
//   storm <n> <name>    -> "ran=R busy=B other=O": n requests sent back to back
//   measure             -> "private=<bytes> handles=<n> gdi=<n> user=<n> threads=<n>"
//   arrive              -> "arrived <n>": the copy is told, as the system tells it, that each of
//                          the n HID interfaces has just been plugged in
//   quit
#include <windows.h>
#include <dbt.h>
#include <psapi.h>
#include <tlhelp32.h>
// mingw-w64's HID header needs <windows.h> first and declares the functions without C linkage.
extern "C" {
#include <hidsdi.h>
}

#include <cstddef>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/run_request_win32.h"
#include "core/named_events.h"
#include "platform/hid_win32.h"

namespace {

using corvan::kMainWindowTitle;

std::wstring Widened(const std::string& text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

const char* Outcome(int exitCode) {
  switch (exitCode) {
    case 0: return "ran";
    case 1: return "no copy";
    case 3: return "busy";
    default: return "bad name";
  }
}

DWORD ThreadsOf(DWORD processId) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  DWORD count = 0;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == processId) ++count;
  }
  CloseHandle(snapshot);
  return count;
}

std::string Measure() {
  HWND window = FindWindowW(L"#32770", kMainWindowTitle);
  DWORD processId = 0;
  if (!window || !GetWindowThreadProcessId(window, &processId)) return "no copy";
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (!process) return "no access";
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  DWORD handles = 0;
  GetProcessHandleCount(process, &handles);
  std::ostringstream line;
  line << "private=" << memory.PrivateUsage << " handles=" << handles
       << " gdi=" << GetGuiResources(process, GR_GDIOBJECTS) << " user=" << GetGuiResources(process, GR_USEROBJECTS)
       << " threads=" << ThreadsOf(processId);
  CloseHandle(process);
  return line.str();
}

// The arrival record as the system sends it: the interface's path follows the fixed part.
std::string Arrive() {
  HWND window = FindWindowW(L"#32770", kMainWindowTitle);
  if (!window) return "no copy";
  const std::vector<std::u16string> paths = corvan::Win32HidEnumerator().ListInterfacePaths();
  GUID hidClass{};
  HidD_GetHidGuid(&hidClass);
  for (const std::u16string& path : paths) {
    const size_t size = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + (path.size() + 1) * sizeof(wchar_t);
    std::vector<DWORD> storage((size + sizeof(DWORD) - 1) / sizeof(DWORD), 0);
    auto* record = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(storage.data());
    record->dbcc_size = static_cast<DWORD>(size);
    record->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    record->dbcc_classguid = hidClass;
    path.copy(reinterpret_cast<char16_t*>(record->dbcc_name), path.size());
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(record), SMTO_ABORTIFHUNG,
                        5000, &result);
  }
  return "arrived " + std::to_string(paths.size());
}

std::string Storm(int requests, const std::wstring& name) {
  int ran = 0, busy = 0, other = 0;
  for (int n = 0; n < requests; ++n) {
    const int code = corvan::SendRunRequest(name, false).exitCode;
    (code == 0 ? ran : code == 3 ? busy : other)++;
  }
  std::ostringstream line;
  line << "ran=" << ran << " busy=" << busy << " other=" << other;
  return line.str();
}

}  // namespace

int main() {
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream words(line);
    std::string command;
    words >> command;
    std::string answer;
    if (command == "run") {
      std::string name;
      std::getline(words >> std::ws, name);
      answer = Outcome(corvan::SendRunRequest(Widened(name), false).exitCode);
    } else if (command == "storm") {
      int requests = 0;
      std::string name;
      words >> requests;
      std::getline(words >> std::ws, name);
      answer = Storm(requests, Widened(name));
    } else if (command == "arrive") {
      answer = Arrive();
    } else if (command == "measure") {
      answer = Measure();
    } else if (command == "quit") {
      break;
    } else {
      answer = "unknown command";
    }
    std::cout << answer << std::endl;
  }
  return 0;
}
