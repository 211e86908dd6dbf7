#pragma once

#include <windows.h>

#include "config/settings_store.h"
#include "mainwindow/program_state.h"
#include "mainwindow/show_sequence.h"
#include "platform/dialog_win32.h"
#include "platform/registry_settings_store_win32.h"

namespace corvan {

// The two events start-up creates; later copies pulse them.
struct InstanceEvents {
  HANDLE singleInstance = nullptr;
  HANDLE close = nullptr;
};

// The main window: the skinned picture of the mouse, owner of the tray icon, the overlays, the
// background threads and the hooks. Runs modally for the whole life of the program.
class CCorvanAssistantDlg : public Dialog, private ReceiverPush {
 public:
  CCorvanAssistantDlg(ProgramState& state, InstanceEvents events);

 protected:
  BOOL OnInitDialog() override;
  std::optional<LRESULT> WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(WORD id, WORD notifyCode) override;
  void OnTimer(UINT_PTR id) override;
  void OnDestroy() override;
  void OnCancel() override;
  void OnOK() override {}

 private:
  void PushSettingsToReceivers() override {}
  void ComputeProgramDir();
  void QueryWindowsVersion();
  void RunShowStep(ShowStep step);

  static DWORD WINAPI SingleInstanceListener(LPVOID self);
  static DWORD WINAPI CloseWatcher(LPVOID self);

  ProgramState& state_;
  InstanceEvents events_;
  RegistrySettingsStore store_;
  ShowSequence showSequence_;
  HICON icon_ = nullptr;
};

}  // namespace corvan
