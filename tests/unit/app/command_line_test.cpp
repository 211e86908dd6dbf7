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
    CommandLineSwitches expected;
    expected.hide = r.hide;
    expected.close = r.close;
    expected.reset = r.reset;
    expected.diagnose = r.diagnose;
    EXPECT_EQ(ScanSwitches(r.commandLine), expected) << std::wstring(r.commandLine).size();
  }
}

TEST(CommandLine, HelpIsAWholeWordAfterTheProgram) {
  struct Row { const wchar_t* commandLine; bool help; };
  const Row rows[] = {
  //   command line                                        help
      {L"prog.exe /?",                                      true},
      {L"prog.exe /help",                                   true},
      {L"prog.exe /HELP",                                   true},
      {L"prog.exe -h",                                      true},
      {L"prog.exe -H",                                      true},
      {L"\"C:\\my -h tools\\prog.exe\" /hide",                 false},  // inside the program's quoted path
      {L"C:\\x-h\\prog.exe",                                false},  // part of a word
      {L"prog.exe /helper",                                 false},
      {L"prog.exe -hide",                                   false},
      {L"prog.exe /run -h",                                 false},  // a function's name
      {L"prog.exe /run \"/?\" /close",                      false},
      {L"prog.exe /close /?",                               true},
      {L"/?",                                               false},  // the program itself
      {L"",                                                 false},
  };
  for (const Row& r : rows) EXPECT_EQ(ScanSwitches(r.commandLine).help, r.help) << r.commandLine;
}

TEST(CommandLine, RunTakesTheNextArgumentAndListStandsAlone) {
  struct Row { const wchar_t* commandLine; bool run; const wchar_t* name; bool close, list; };
  const Row rows[] = {
  //   command line                                        run    name                close  list
      {L"prog.exe /run Copy",                               true,  L"Copy",            false, false},
      {L"prog.exe /RUN copy",                               true,  L"copy",            false, false},  // the name keeps its case
      {L"prog.exe /run \"Screen snap #1\"",               true,  L"Screen snap #1",  false, false},
      {L"prog.exe /run   13",                               true,  L"13",              false, false},
      {L"prog.exe /run \"/close\"",                       true,  L"/close",          false, false},  // a name, not a switch
      {L"prog.exe /run /close",                             true,  L"/close",          false, false},
      {L"prog.exe /run \"Play / Pause\" /close",          true,  L"Play / Pause",    true,  false},
      {L"prog.exe /run \"unterminated",                    true,  L"unterminated",    false, false},
      {L"prog.exe /run",                                    true,  L"",                false, false},
      {L"prog.exe /run \"\"",                             true,  L"",                false, false},
      {L"prog.exe /list",                                   false, L"",                false, true},
      {L"prog.exe /run /restore",                           true,  L"/restore",        false, false},
      {L"/run Copy",                                        false, L"",                false, false},  // position 0
  };
  for (const Row& r : rows) {
    const CommandLineSwitches switches = ScanSwitches(r.commandLine);
    EXPECT_EQ(switches.run, r.run) << r.commandLine;
    EXPECT_EQ(switches.runName, r.name) << r.commandLine;
    EXPECT_EQ(switches.close, r.close) << r.commandLine;
    EXPECT_EQ(switches.list, r.list) << r.commandLine;
  }
}

}  // namespace
}  // namespace corvan
