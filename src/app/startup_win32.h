#pragma once

#include <windows.h>

#include "app/startup.h"
#include "mainwindow/program_state.h"

namespace corvan {

class Win32Startup : public StartupPlatform {
 public:
  explicit Win32Startup(ProgramState& state) : state_(state) {}

  void InitCommonControls() override;
  void StartGdiplus() override;
  std::wstring CommandLine() override;
  void AskRunningCopyToClose() override;
  void PrintDiagnosis() override;
  void PrintCatalogue() override;
  void PrintHelp() override;
  void RestoreReceivers() override;
  void RunInRunningCopy(const std::wstring& name) override;
  void DeleteSettingsKey() override;
  void EnsureSettingsKey() override;
  SingleInstanceOutcome CreateSingleInstanceEvent() override;
  void WakeRunningCopy() override;
  void CreateCloseEvent() override;
  void ResetEvents() override;
  void RunMainWindow(bool startHidden) override;
  void CleanUp() override;

  // What the process ends with: 0 unless /run says otherwise.
  int exitCode() const { return exitCode_; }

 private:
  ProgramState& state_;
  ULONG_PTR gdiplusToken_ = 0;
  HANDLE singleInstanceEvent_ = nullptr;
  HANDLE closeEvent_ = nullptr;
  int exitCode_ = 0;
};

}  // namespace corvan
