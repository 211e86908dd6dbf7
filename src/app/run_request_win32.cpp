#include "app/run_request_win32.h"

#include <windows.h>

#include "app/run_request.h"
#include "config/catalogue.h"
#include "config/function_names.h"
#include "core/named_events.h"

namespace corvan {
namespace {

// A copy in a modal loop still answers; one that does not within this is busy or hung.
constexpr UINT kReplyTimeoutMs = 5000;

constexpr int kExitRan = 0;
constexpr int kExitNoCopy = 1;
constexpr int kExitBadName = 2;
constexpr int kExitBusy = 3;

bool CopyRuns() {
  HANDLE event = OpenEventW(SYNCHRONIZE, FALSE, kSingleInstanceEventName);
  if (!event) return false;
  CloseHandle(event);
  return true;
}

}  // namespace

RunOutcome SendRunRequest(const std::wstring& name, bool windows62) {
  const Catalogue catalogue = BuildCatalogue(DefaultFunctionLabels(), windows62);
  if (const NameProblem problem = CheckFunctionName(name); problem != NameProblem::kNone) {
    return {kExitBadName, DescribeNameProblem(problem, name, catalogue.Count())};
  }
  HWND window = CopyRuns() ? FindWindowW(L"#32770", kMainWindowTitle) : nullptr;
  if (!window) return {kExitNoCopy, L"CorvanAssistant is not running."};

  std::vector<uint8_t> block = EncodeRunRequest(name);
  COPYDATASTRUCT data{};
  data.dwData = static_cast<ULONG_PTR>(kRunRequestTag);
  data.cbData = static_cast<DWORD>(block.size());
  data.lpData = block.data();
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG | SMTO_BLOCK,
                           kReplyTimeoutMs, &answer)) {
    return {kExitBusy, L"CorvanAssistant did not answer; it may be busy. Try again."};
  }
  int32_t id = -1;
  switch (DecodeRunReply(static_cast<int64_t>(answer), &id)) {
    case RunReply::kRan: {
      const _QxItemListDB* entry = catalogue.Find(id);
      return {kExitRan, L"Ran \"" + (entry ? entry->label : std::wstring(L"?")) + L"\" (function " +
                            std::to_wstring(id) + L")."};
    }
    case RunReply::kUnknownName:
      return {kExitBadName, DescribeNameProblem(NameProblem::kUnknownName, name, catalogue.Count())};
    case RunReply::kIdOutOfRange:
      return {kExitBadName, DescribeNameProblem(NameProblem::kIdOutOfRange, name, catalogue.Count())};
    case RunReply::kBadName:
      return {kExitBadName, DescribeNameProblem(CheckFunctionName(name), name, catalogue.Count())};
    case RunReply::kBusy:
      return {kExitBusy, L"CorvanAssistant is busy (a menu is open, or it is closing). Try again."};
    case RunReply::kNotUnderstood:
      break;
  }
  return {kExitNoCopy, L"The running copy does not take /run."};
}

}  // namespace corvan
