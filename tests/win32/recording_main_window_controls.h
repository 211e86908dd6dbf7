#pragma once

#include <string>
#include <vector>

#include "platform/actions_win32.h"

namespace corvan {

// A main window with nothing showing that writes down the tips it is asked for.
class RecordingMainWindowControls : public MainWindowControls {
 public:
  struct Tip {
    Point centre;
    std::wstring text;
    int32_t displayMs;
    int32_t textSize;
  };
  std::vector<Tip> tips;

  bool BoardVisible() override { return false; }
  void RaiseBoard() override {}
  void ToggleBoard(int32_t) override {}
  bool OverviewVisible() override { return false; }
  void StartOverview(std::optional<FunctionTip>) override {}
  bool MainWindowVisible() override { return false; }
  void HideMainWindowForAWhile() override {}
  void ClosePicker() override {}
  void FillPicker(int32_t) override {}
  void ShowPicker(Point, PickerMode) override {}
  void ShowFunctionTip(Point centre, const std::wstring& text, int32_t displayMs, int32_t textSize) override {
    tips.push_back({centre, text, displayMs, textSize});
  }
};

// The id of the entry labelled `label` in the catalogue, -1 when there is none.
inline int32_t IdOf(const Catalogue& catalogue, const std::wstring& label) {
  for (int32_t id = 0; id < catalogue.Count(); ++id) {
    if (catalogue.entries[static_cast<size_t>(id)].label == label) return id;
  }
  return -1;
}

}  // namespace corvan
