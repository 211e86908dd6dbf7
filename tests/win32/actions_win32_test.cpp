#include "platform/actions_win32.h"

#include <gtest/gtest.h>
#include <shldisp.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "config/catalogue.h"
#include "input/dispatcher.h"
#include "recording_main_window_controls.h"

namespace corvan {
namespace {

std::optional<std::wstring> Text(const wchar_t* text) {
  if (!text) return std::nullopt;
  return std::wstring(text);
}

// Writes the shell calls down. Execute opens nothing; object creation is refused with
// `createResult`, or handed to the real component library when that is S_OK.
class RecordingShellCalls : public ShellCalls {
 public:
  struct ExecuteCall {
    HWND window;
    std::optional<std::wstring> verb, file, parameters, directory;
    int show;
  };
  struct CreateCall {
    CLSID classId;
    IUnknown* outer;
    DWORD context;
    IID interfaceId;
    HRESULT result;
  };
  std::vector<ExecuteCall> executes;
  std::vector<CreateCall> creates;
  HRESULT createResult = S_OK;

  HINSTANCE Execute(HWND window, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                    const wchar_t* directory, int show) override {
    executes.push_back({window, Text(verb), Text(file), Text(parameters), Text(directory), show});
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
  }
  HRESULT CreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID interfaceId,
                         void** object) override {
    const HRESULT result =
        createResult == S_OK ? real_.CreateInstance(classId, outer, context, interfaceId, object) : createResult;
    creates.push_back({classId, outer, context, interfaceId, result});
    return result;
  }

 private:
  Win32ShellCalls real_;
};

class NoKeyboard : public KeyboardInjector {
 public:
  bool Send(const KeyRecord&) override {
    ADD_FAILURE() << "no key was expected";
    return false;
  }
};

// The work area of the only monitor; the test is skipped on a machine with several.
std::optional<Point> WorkAreaCentre() {
  RECT area{};
  if (GetSystemMetrics(SM_CMONITORS) != 1 || !SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) return std::nullopt;
  return Point{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

class ShellActions : public ::testing::Test {
 protected:
  void Run(const wchar_t* label) {
    const int32_t id = IdOf(catalogue_, label);
    ASSERT_GE(id, 0) << "no entry for the label";
    dispatcher_.RunFunction(id);
  }

  const Catalogue catalogue_ = BuildCatalogue(DefaultFunctionLabels(), false);
  RecordingShellCalls shell_;
  NoKeyboard keyboard_;
  RecordingMainWindowControls window_;
  Win32Actions actions_{shell_, keyboard_};
  std::atomic<int32_t> busy_{0};
  ActionDispatcher dispatcher_{catalogue_, actions_, window_, busy_};
};

TEST_F(ShellActions, CalculatorAndComputerFolderReachTheShellWithTheirExactArguments) {
  struct Row {
    const wchar_t* label;
    const wchar_t* file;
  };
  const Row rows[] = {
      {L"Calculator", L"calc.exe"},
      {L"My computer", L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"},
  };
  const std::optional<Point> centre = WorkAreaCentre();
  if (!centre) GTEST_SKIP() << "more than one monitor";
  for (const Row& row : rows) {
    shell_.executes.clear();
    window_.tips.clear();
    Run(row.label);
    ASSERT_EQ(shell_.executes.size(), 1u);
    const RecordingShellCalls::ExecuteCall& call = shell_.executes[0];
    EXPECT_EQ(call.window, nullptr);
    EXPECT_EQ(call.verb, std::nullopt);
    EXPECT_EQ(call.file, std::wstring(row.file));
    EXPECT_EQ(call.parameters, std::nullopt);
    EXPECT_EQ(call.directory, std::nullopt);
    EXPECT_EQ(call.show, SW_SHOWNORMAL);
    ASSERT_EQ(window_.tips.size(), 1u);
    EXPECT_EQ(window_.tips[0].text, row.label);
    EXPECT_EQ(window_.tips[0].centre, *centre);
    EXPECT_EQ(window_.tips[0].displayMs, 1000);
    EXPECT_EQ(window_.tips[0].textSize, 48);
  }
}

TEST(Win32ShellCalls, ReallyExecutes) {
  // A program that ends by itself and shows nothing.
  Win32ShellCalls shell;
  const HINSTANCE result = shell.Execute(nullptr, nullptr, L"cmd.exe", L"/c exit", nullptr, SW_HIDE);
  EXPECT_GT(reinterpret_cast<INT_PTR>(result), 32);
}

TEST_F(ShellActions, ShowDesktopCreatesTheShellObjectInTheRunsApartmentAndStillShowsTheTip) {
  Run(L"Show desktop");
  ASSERT_EQ(shell_.creates.size(), 1u);
  const RecordingShellCalls::CreateCall& call = shell_.creates[0];
  EXPECT_TRUE(IsEqualCLSID(call.classId, CLSID_Shell));
  EXPECT_EQ(call.outer, nullptr);
  EXPECT_EQ(call.context, 0x15u);
  EXPECT_TRUE(IsEqualIID(call.interfaceId, IID_IDispatch));
  // Creation needs the component library, which only the run itself sets up here.
  EXPECT_EQ(call.result, S_OK);
  ASSERT_EQ(window_.tips.size(), 1u);
  EXPECT_EQ(window_.tips[0].text, L"Show desktop");
}

TEST(ToggleDesktopThroughShell, ReachesTheToggle) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, kRunComModel)));
  Win32ShellCalls shell;
  const HRESULT result = ToggleDesktopThroughShell(shell);
  // Wine's shell object has the method but does not implement it; Windows toggles the desktop.
  EXPECT_TRUE(result == S_OK || result == E_NOTIMPL) << std::hex << result;
  if (result == S_OK) ToggleDesktopThroughShell(shell);  // and back
  CoUninitialize();
}

TEST_F(ShellActions, ShowDesktopWithoutTheShellObjectStillShowsTheTip) {
  shell_.createResult = REGDB_E_CLASSNOTREG;
  Run(L"Show desktop");
  EXPECT_EQ(shell_.creates.size(), 1u);
  ASSERT_EQ(window_.tips.size(), 1u);
  EXPECT_EQ(window_.tips[0].text, L"Show desktop");
}

// Each case on a fresh thread, so that the test's own thread keeps its apartment.
TEST(Win32Actions, ARunLeavesTheThreadsComponentLibraryAsItFoundIt) {
  struct Case {
    const char* name;
    std::optional<DWORD> threadModel;  // the thread's own initialisation before the run
    int32_t id;
    HRESULT initialisationAfter;       // S_OK: the thread was left uninitialised
  };
  const Case cases[] = {
      {"an uninitialised thread is left so", std::nullopt, 0, S_OK},
      {"an id beyond the end still pairs set-up and release", std::nullopt, 40, S_OK},
      {"a thread in the same apartment keeps it", DWORD{COINIT_APARTMENTTHREADED}, 0, S_FALSE},
      {"a thread in the other model keeps it", DWORD{COINIT_MULTITHREADED}, 0, S_FALSE},
  };
  for (const Case& c : cases) {
    HRESULT after = E_FAIL;
    std::thread([&] {
      if (c.threadModel) CoInitializeEx(nullptr, *c.threadModel);
      const Catalogue catalogue = BuildCatalogue(DefaultFunctionLabels(), false);
      RecordingShellCalls shell;
      NoKeyboard keyboard;
      RecordingMainWindowControls window;
      Win32Actions actions(shell, keyboard);
      std::atomic<int32_t> busy{0};
      ActionDispatcher(catalogue, actions, window, busy).RunFunction(c.id);
      after = CoInitializeEx(nullptr, c.threadModel.value_or(COINIT_MULTITHREADED));
      if (SUCCEEDED(after)) CoUninitialize();
      if (c.threadModel) CoUninitialize();
    }).join();
    EXPECT_EQ(after, c.initialisationAfter) << c.name;
  }
}

}  // namespace
}  // namespace corvan
