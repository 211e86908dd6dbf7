#pragma once

namespace corvan {

struct PickerWatchFacts {
  bool pickerExists;
  bool pickerVisible;
  int pickerOpacity;          // 255 once fully faded in
  bool openedForAssignment;   // choosing a slot's function, not running one
  bool foregroundIsOurs;      // the magnifier, the main window, the picker or one of its sub-lists
};

// A picker opened to choose a slot's function closes once the user has turned to another window.
inline bool PickerShouldClose(const PickerWatchFacts& f) {
  return f.pickerExists && f.pickerVisible && f.pickerOpacity == 255 && f.openedForAssignment && !f.foregroundIsOurs;
}

}  // namespace corvan
