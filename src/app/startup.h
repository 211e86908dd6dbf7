#pragma once

#include <string>

namespace corvan {

enum class SingleInstanceOutcome { FirstCopy, AnotherCopyRuns };

// The platform calls start-up makes, in the order it makes them. The Windows implementation does
// the real work; tests record the order.
class StartupPlatform {
 public:
  virtual ~StartupPlatform() = default;
  virtual void InitCommonControls() = 0;
  virtual void StartGdiplus() = 0;
  virtual std::wstring CommandLine() = 0;
  // Pulses the running copy's close event when there is one; silent otherwise.
  virtual void AskRunningCopyToClose() = 0;
  // Lists the HID interfaces and the receiver family of each, touching no receiver.
  virtual void PrintDiagnosis() = 0;
  // Closes a running copy (through its own close sequence), then sends every receiver present
  // the exit sequence: neutral settings, then the reset.
  virtual void RestoreReceivers() = 0;
  // Prints this system's function catalogue.
  virtual void PrintCatalogue() = 0;
  virtual void PrintHelp() = 0;
  // Asks the running copy to run the named function, prints the outcome and sets the exit code.
  virtual void RunInRunningCopy(const std::wstring& name) = 0;
  virtual void DeleteSettingsKey() = 0;
  virtual void EnsureSettingsKey() = 0;
  virtual SingleInstanceOutcome CreateSingleInstanceEvent() = 0;
  // Pulses the running copy's single-instance event so that it shows its window.
  virtual void WakeRunningCopy() = 0;
  virtual void CreateCloseEvent() = 0;
  virtual void ResetEvents() = 0;
  // Returns when the main window has ended.
  virtual void RunMainWindow(bool startHidden) = 0;
  virtual void CleanUp() = 0;
};

// The application's start-up from the first call to the end of the main window. Returns the
// application's InitInstance result (true only when this copy handed over to another one).
bool RunStartup(StartupPlatform& platform);

}  // namespace corvan
