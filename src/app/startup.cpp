#include "app/startup.h"

#include "app/command_line.h"

namespace corvan {

bool RunStartup(StartupPlatform& platform) {
  platform.InitCommonControls();
  platform.StartGdiplus();

  const CommandLineSwitches switches = ScanSwitches(platform.CommandLine());
  if (switches.help) {
    platform.PrintHelp();
    return true;
  }
  // Closing, diagnosing, listing and running happen before anything that could create the key or the events, so
  // neither ever disturbs a running copy beyond the close request itself.
  if (switches.close) {
    platform.AskRunningCopyToClose();
    return true;
  }
  if (switches.diagnose) {
    platform.PrintDiagnosis();
    return true;
  }
  if (switches.restore) {
    platform.RestoreReceivers();
    return true;
  }
  if (switches.list) {
    platform.PrintCatalogue();
    return true;
  }
  // Like /close, it only talks to a running copy: no key, no event, no window of its own.
  if (switches.run) {
    platform.RunInRunningCopy(switches.runName);
    return true;
  }
  if (switches.reset) platform.DeleteSettingsKey();
  platform.EnsureSettingsKey();

  if (platform.CreateSingleInstanceEvent() == SingleInstanceOutcome::AnotherCopyRuns) {
    platform.WakeRunningCopy();
    return true;
  }
  platform.CreateCloseEvent();
  platform.ResetEvents();
  platform.RunMainWindow(switches.hide);
  platform.CleanUp();
  return false;
}

}  // namespace corvan
