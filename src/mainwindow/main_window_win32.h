#pragma once

#include <windows.h>

#include <memory>

#include "config/assignments.h"
#include "config/settings_store.h"
#include "core/function_runner.h"
#include "core/program_messages.h"
#include "device/device_events.h"
#include "device/raw_input_layout.h"
#include "input/dispatcher.h"
#include "input/routing.h"
#include "input/tray_clicks.h"
#include "mainwindow/copied_data_handler_win32.h"
#include "mainwindow/init_sequence.h"
#include "mainwindow/overlays_win32.h"
#include "mainwindow/program_lifetime_win32.h"
#include "mainwindow/program_state.h"
#include "mainwindow/show_sequence.h"
#include "mainwindow/tray_icon_win32.h"
#include "platform/actions_win32.h"
#include "platform/dialog_win32.h"
#include "platform/keyboard_injector_win32.h"
#include "platform/registry_settings_store_win32.h"
#include "ui/main_window_skin_win32.h"

namespace corvan {

// The main window: the skinned picture of the mouse with its editor, and the tray icon. It owns
// the overlays and the program's lifetime, and hands them what arrives for them. Runs modally for
// the whole life of the program.
class CCorvanAssistantDlg : public Dialog, private MainWindowInit, private FactoryDefaultEffects {
 public:
  CCorvanAssistantDlg(ProgramState& state, InstanceEvents events);
  ~CCorvanAssistantDlg() override;

  // Takes the copied-data blocks other processes send (a later copy's /run); must outlive the window.
  void SetCopiedDataHandler(CopiedDataHandler* handler) { copiedData_ = handler; }

 protected:
  BOOL OnInitDialog() override;
  std::optional<LRESULT> WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool PreTranslateMessage(MSG* msg) override;
  bool OnPaint() override;
  bool OnEraseBackground(HDC dc) override { return EraseBackgroundDrawingNothing(dc); }
  bool OnCommand(WORD id, WORD notifyCode) override;
  void OnTimer(UINT_PTR id) override;
  bool OnSetCursor(HWND window, UINT hitTest, UINT mouseMessage) override;
  void OnDestroy() override;
  void OnCancel() override;
  void OnOK() override {}

 private:
  // Initialisation steps, run in order by RunInitBeforeShow and RunInitAfterShow.
  void InitialiseFramework() override;
  void CreatePushLock() override;
  void ComputeProgramDir() override;
  void QueryWindowsVersion() override;
  void RegisterDeviceArrival() override;
  void LoadTrayMenu() override;
  void AddTrayIcon() override;
  void Localise() override;
  void BuildCatalogue() override;
  void CreateOverlayWindows() override;
  void SetUpSkin() override;
  bool StartsHidden() override;
  void StartHideTimer() override;
  void RegisterRawInput() override;
  void Invalidate() override;
  void StartCursorFollower() override;
  void StartRepaintAndPickerTimers() override;
  void StartSingleInstanceListener() override;
  void LoadSettings() override;
  void CreateTiltEvents() override;
  void StartTiltWorkerAndCloseWatcher() override;
  void InstallMouseHook() override;
  void LoadHookLibrary() override;
  void InitialiseCom() override;
  void InstallForegroundHook() override;
  void SaveSettings() override;

  void RepaintMainWindow() override;
  void PulseDefaultsEvent() override;

  // Input routing: raw input, the picker's choice and the pointer on the mouse picture.
  void OnRawInput(HRAWINPUT handle);
  void OnRawMouse(const RawInputView& mouse);
  PickerFacts CurrentPickerFacts();
  void Perform(const RoutingActions& actions);

  // The window went to a monitor of another scale: it takes the suggested place and is laid out anew.
  void OnDpiChanged(int32_t dpi, const RECT& suggested);
  void OnTrayNotification(WPARAM iconId, LPARAM mouseMessage);
  void ShowFromTray();
  void OnPickerWatch();
  void RunShowStep(ShowStep step);
  void OnSessionEnding();
  void OnCloseBoundPassed();

  ProgramState& state_;
  RegistrySettingsStore store_;
  ShowSequence showSequence_;
  TrayIcon tray_;
  TrayClicks trayClicks_;
  UINT taskbarCreatedMessage_ = 0;
  HICON icon_ = nullptr;
  MainWindowSkin skin_;
  Overlays overlays_{state_};
  // After the overlays: its threads, stopped on the way to the end, go before them.
  ProgramLifetime lifetime_;
  CopiedDataHandler* copiedData_ = nullptr;

  MainWindowRouting routing_{EditorHotRegions{}, RoutingTexts{}};
  Win32ShellCalls shellCalls_;
  Win32KeyboardInjector keyboard_;
  Win32Actions actions_{shellCalls_, keyboard_};
  ActionDispatcher dispatcher_{state_.functionCatalogue, actions_, overlays_, state_.overviewBusy};
  DeviceEvents deviceEvents_{state_.assignments, state_.tiltAccumulator, dispatcher_, lifetime_};
};

}  // namespace corvan
