#include "app/startup_win32.h"

#include <commctrl.h>
#include <objidl.h>
#include <gdiplus.h>

#include "app/close_event_security_win32.h"
#include "app/close_running_copy_win32.h"
#include "app/command_line.h"
#include "app/restore_receivers_win32.h"
#include "app/run_request_win32.h"
#include "app/run_server_win32.h"
#include "config/function_names.h"
#include "config/language_file.h"
#include "core/named_events.h"
#include "device/diagnosis.h"
#include "mainwindow/main_window_win32.h"
#include "platform/console_win32.h"
#include "platform/hid_win32.h"
#include "platform/profile_reader_win32.h"
#include "platform/registry_settings_store_win32.h"
#include "platform/windows_version_win32.h"
#include "resource_ids.h"

namespace corvan {
namespace {

constexpr wchar_t kApplicationName[] = L"CorvanAssistant";

void PulseExisting(const wchar_t* name) {
  if (HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, name)) {
    PulseEvent(event);
    CloseHandle(event);
  }
}

}  // namespace

void Win32Startup::InitCommonControls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = 0xFF;
  InitCommonControlsEx(&controls);
}

void Win32Startup::StartGdiplus() {
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&gdiplusToken_, &input, nullptr);
}

std::wstring Win32Startup::CommandLine() { return GetCommandLineW(); }

void Win32Startup::AskRunningCopyToClose() { CloseRunningCopyAndWait(); }

void Win32Startup::PrintDiagnosis() {
  ConsoleOutput console;
  Win32HidEnumerator enumerator;
  const std::wstring lines = WideFromPath(DiagnoseInterfaces(enumerator));
  console.Print(lines.empty() ? L"No HID interfaces present.\n" : lines);
}

void Win32Startup::RestoreReceivers() { CloseRunningCopyAndRestoreReceivers(); }

void Win32Startup::PrintCatalogue() {
  // The labels the running copy shows: from the language file beside the program, as it reads it.
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  folder.resize(folder.rfind(L'\\') == std::wstring::npos ? 0 : folder.rfind(L'\\') + 1);
  Win32ProfileReader reader(folder + kLanguageFileName);
  LocalisedTexts texts;
  LoadLanguageFile(reader, texts);
  const bool windows62 = QueryWindows62OrLater();
  ConsoleOutput console;
  console.Print(CatalogueListing(BuildCatalogue(texts.functionLabels, windows62),
                                 BuildCatalogue(DefaultFunctionLabels(), windows62)));
}

void Win32Startup::PrintHelp() {
  ConsoleOutput console;
  console.Print(SwitchesHelp());
}

void Win32Startup::RunInRunningCopy(const std::wstring& name) {
  const RunOutcome outcome = SendRunRequest(name, QueryWindows62OrLater());
  ConsoleOutput console;
  console.Print(outcome.line + L"\n");
  exitCode_ = outcome.exitCode;
}

void Win32Startup::DeleteSettingsKey() { corvan::DeleteSettingsKey(); }

void Win32Startup::EnsureSettingsKey() { corvan::EnsureSettingsKey(); }

SingleInstanceOutcome Win32Startup::CreateSingleInstanceEvent() {
  singleInstanceEvent_ = CreateEventW(nullptr, TRUE, TRUE, kSingleInstanceEventName);
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(singleInstanceEvent_);
    singleInstanceEvent_ = nullptr;
    return SingleInstanceOutcome::AnotherCopyRuns;
  }
  return SingleInstanceOutcome::FirstCopy;
}

void Win32Startup::WakeRunningCopy() { PulseExisting(kSingleInstanceEventName); }

void Win32Startup::CreateCloseEvent() { closeEvent_ = CreateCloseEventWithAccessList(kCloseEventName); }

void Win32Startup::ResetEvents() {
  if (singleInstanceEvent_) ResetEvent(singleInstanceEvent_);
  if (closeEvent_) ResetEvent(closeEvent_);
}

void Win32Startup::RunMainWindow(bool startHidden) {
  state_.startHidden = startHidden ? 1 : 0;
  // Whatever ends the resident program, its receivers are left in their native state.
  RestoreReceiversOnCrash(state_.assignments, state_.shuttingDown);
  Win32RunServer runServer(state_.functionCatalogue, state_.englishCatalogue);
  CCorvanAssistantDlg mainWindow(state_, InstanceEvents{singleInstanceEvent_, closeEvent_});
  mainWindow.SetCopiedDataHandler(&runServer);
  mainWindow.DoModal();
}

void Win32Startup::CleanUp() {
  if (singleInstanceEvent_) CloseHandle(singleInstanceEvent_);
  if (closeEvent_) CloseHandle(closeEvent_);
  if (gdiplusToken_) Gdiplus::GdiplusShutdown(gdiplusToken_);
}

}  // namespace corvan
