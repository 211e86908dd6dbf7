#include "app/command_line.h"

#include <gtest/gtest.h>

namespace corvan {
namespace {

TEST(CommandLine, Switches) {
  struct Row { const wchar_t* commandLine; bool hide, close, reset, diagnose; };
  const Row rows[] = {
  //   command line                                        hide   close  reset  diagnose
      {L"\"C:\\CorvanAssistant.exe\"",                      false, false, false, false},
      {L"\"C:\\CorvanAssistant.exe\" /hide",                true,  false, false, false},
      {L"\"C:\\CorvanAssistant.exe\" /HIDE",                true,  false, false, false},
      {L"\"C:\\CorvanAssistant.exe\" /Close",               false, true,  false, false},
      {L"\"C:\\CorvanAssistant.exe\" /reset /close",        false, true,  true,  false},
      {L"\"C:\\CorvanAssistant.exe\" /hide/reset",          true,  false, true,  false},
      {L"\"C:\\CorvanAssistant.exe\" /diagnose",            false, false, false, true},
      {L"/hide",                                            false, false, false, false},  // position 0 does not count
      {L"/close /close",                                    false, false, false, false},  // only the first match is looked at
      {L"C:\\tools\\/reset\\CorvanAssistant.exe",           false, false, true,  false},  // anywhere past the start
      {L"",                                                 false, false, false, false},
  };
  for (const Row& r : rows) {
    const CommandLineSwitches expected{r.hide, r.close, r.reset, r.diagnose};
    EXPECT_EQ(ScanSwitches(r.commandLine), expected) << std::wstring(r.commandLine).size();
  }
}

}  // namespace
}  // namespace corvan
