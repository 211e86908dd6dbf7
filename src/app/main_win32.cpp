#include <windows.h>

#include "app/startup.h"
#include "app/startup_win32.h"
#include "mainwindow/program_state.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  static corvan::ProgramState state;
  corvan::Win32Startup platform(state);
  corvan::RunStartup(platform);
  return platform.exitCode();
}
