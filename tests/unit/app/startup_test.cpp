#include "app/startup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvan {
namespace {

class RecordingStartup : public StartupPlatform {
 public:
  void InitCommonControls() override { calls.push_back("controls"); }
  void StartGdiplus() override { calls.push_back("gdiplus"); }
  std::wstring CommandLine() override { return commandLine; }
  void AskRunningCopyToClose() override { calls.push_back("pulse-close"); }
  void PrintDiagnosis() override { calls.push_back("diagnose"); }
  void PrintCatalogue() override { calls.push_back("list"); }
  void PrintHelp() override { calls.push_back("help"); }
  void RestoreReceivers() override { calls.push_back("restore"); }
  void RunInRunningCopy(const std::wstring& name) override {
    calls.push_back("run " + std::string(name.begin(), name.end()));
  }
  void DeleteSettingsKey() override { calls.push_back("delete-key"); }
  void EnsureSettingsKey() override { calls.push_back("ensure-key"); }
  SingleInstanceOutcome CreateSingleInstanceEvent() override {
    calls.push_back("instance-event");
    return outcome;
  }
  void WakeRunningCopy() override { calls.push_back("wake"); }
  void CreateCloseEvent() override { calls.push_back("close-event"); }
  void ResetEvents() override { calls.push_back("reset-events"); }
  void RunMainWindow(bool startHidden) override { calls.push_back(startHidden ? "main-window-hidden" : "main-window"); }
  void CleanUp() override { calls.push_back("clean-up"); }

  std::wstring commandLine = L"prog.exe";
  SingleInstanceOutcome outcome = SingleInstanceOutcome::FirstCopy;
  std::vector<std::string> calls;
};

using Calls = std::vector<std::string>;

TEST(Startup, Paths) {
  const Calls prefix = {"controls", "gdiplus"};
  const Calls firstCopy = {"ensure-key", "instance-event", "close-event", "reset-events"};
  auto join = [](std::initializer_list<Calls> parts) {
    Calls all;
    for (const Calls& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
  };
  struct Row {
    const char* name;
    std::wstring commandLine;
    SingleInstanceOutcome outcome;
    bool result;
    Calls calls;
  };
  const Row rows[] = {
      {"first copy", L"prog.exe", SingleInstanceOutcome::FirstCopy, false,
       join({prefix, firstCopy, {"main-window", "clean-up"}})},
      {"first copy hidden", L"prog.exe /HIDE", SingleInstanceOutcome::FirstCopy, false,
       join({prefix, firstCopy, {"main-window-hidden", "clean-up"}})},
      {"second copy wakes the first", L"prog.exe /hide", SingleInstanceOutcome::AnotherCopyRuns, true,
       join({prefix, {"ensure-key", "instance-event", "wake"}})},
      {"reset deletes before the key is opened", L"prog.exe /reset", SingleInstanceOutcome::AnotherCopyRuns, true,
       join({prefix, {"delete-key", "ensure-key", "instance-event", "wake"}})},
      {"close touches neither key nor events", L"prog.exe /close", SingleInstanceOutcome::FirstCopy, true,
       join({prefix, {"pulse-close"}})},
      {"close wins over reset", L"prog.exe /reset /close", SingleInstanceOutcome::FirstCopy, true,
       join({prefix, {"pulse-close"}})},
      {"diagnose touches neither key nor events", L"prog.exe /diagnose /reset", SingleInstanceOutcome::FirstCopy, true,
       join({prefix, {"diagnose"}})},
      {"restore touches neither key nor events", L"prog.exe /restore /reset", SingleInstanceOutcome::FirstCopy, true,
       join({prefix, {"restore"}})},
      {"list touches neither key nor events", L"prog.exe /list /reset", SingleInstanceOutcome::FirstCopy, true,
       join({prefix, {"list"}})},
      {"run touches neither key nor events", L"prog.exe /reset /run Copy", SingleInstanceOutcome::FirstCopy, true,
       join({prefix, {"run Copy"}})},
      {"help wins over every other switch and touches neither key nor events", L"prog.exe /close /reset /?",
       SingleInstanceOutcome::AnotherCopyRuns, true, join({prefix, {"help"}})},
      {"a run's name is no switch", L"prog.exe /run \"/hide /reset\"", SingleInstanceOutcome::FirstCopy, true,
       join({prefix, {"run /hide /reset"}})},
  };
  for (const Row& row : rows) {
    RecordingStartup platform;
    platform.commandLine = row.commandLine;
    platform.outcome = row.outcome;
    EXPECT_EQ(RunStartup(platform), row.result) << row.name;
    EXPECT_EQ(platform.calls, row.calls) << row.name;
  }
}

}  // namespace
}  // namespace corvan
