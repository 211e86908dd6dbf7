#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

#include "config/catalogue.h"
#include "core/board_modes.h"
#include "core/function_runner.h"
#include "input/routing.h"

namespace corvan {

inline constexpr int32_t kFunctionTipDisplayMs = 1000;
inline constexpr int32_t kFunctionTipTextSize = 48;

// A tip as the program shows it: `text` centred on `centre`, for `displayMs`, at `textSize`.
struct FunctionTip {
  Point centre;
  std::wstring text;
  int32_t displayMs;
  int32_t textSize;
};

// What running a function does to the system outside the program's windows. The dispatcher
// decides; an implementation only performs.
class SystemActions {
 public:
  virtual ~SystemActions() = default;

  // The component library, for this thread, around one run (single-threaded apartment).
  virtual void InitialiseCom() = 0;
  virtual void UninitialiseCom() = 0;

  virtual void SendKeys(uint8_t modifiers, uint16_t key, bool down, bool scanMode) = 0;
  virtual void OpenComputerFolder() = 0;
  virtual void ToggleDesktop() = 0;
  virtual void StartCalculator() = 0;

  virtual Point CursorPosition() = 0;
  // Of the monitor containing `point`, or else the one closest to it.
  virtual Rect WorkAreaAt(Point point) = 0;
};

// What a run asks of the main window and the overlays it owns. The main window implements it.
class MainWindowControls {
 public:
  virtual ~MainWindowControls() = default;

  virtual bool BoardVisible() = 0;
  virtual void RaiseBoard() = 0;  // top-most, neither moved nor sized
  // Off when it is on in any mode; otherwise on in `mode`, shown, with the cursor confined to it.
  virtual void ToggleBoard(int32_t mode) = 0;
  virtual bool OverviewVisible() = 0;
  // Starts the overview on a thread of its own; it clears the busy flag once its grid is laid out.
  // `announcement` shows once the desktop behind the overview is captured, so that it is not in
  // that picture; right away when no opening starts.
  virtual void StartOverview(std::optional<FunctionTip> announcement) = 0;

  virtual bool MainWindowVisible() = 0;
  // Hides the main window, which takes the foreground back a moment later.
  virtual void HideMainWindowForAWhile() = 0;

  virtual void ClosePicker() = 0;
  // The picker's lists become the members of the group with `groupCode`.
  virtual void FillPicker(int32_t groupCode) = 0;
  virtual void ShowPicker(Point topLeft, PickerMode mode) = 0;

  // Stops a running display of the tip (creating the tip window on first use), then shows the
  // text. The one way anything of the program names a function or a hint on the screen.
  virtual void ShowFunctionTip(Point centre, const std::wstring& text, int32_t displayMs, int32_t textSize) = 0;
};

// Runs catalogue functions: what each entry does, then the tip that names it on the screen.
// Main window thread only.
class ActionDispatcher final : public FunctionRunner {
 public:
  // `overviewBusy`: set here when an overview start is made, cleared by the overview; while it is
  // set no second start is made. Both references must outlive the dispatcher; the catalogue is
  // read at every run.
  ActionDispatcher(const Catalogue& catalogue, SystemActions& system, MainWindowControls& window,
                   std::atomic<int32_t>& overviewBusy)
      : catalogue_(catalogue), system_(system), window_(window), overviewBusy_(overviewBusy) {}

  void RunFunction(int32_t id) override;
  void ReleaseFunction(int32_t id) override;

 private:
  // True when the tip should name the entry afterwards.
  bool Perform(const _QxItemListDB& entry);
  void OpenGroupAtCursor(const _QxItemListDB& group);
  void StartOverviewUnlessShowing(const std::wstring& label);
  FunctionTip TipAtWorkAreaCentre(const std::wstring& text);
  void ShowTip(const FunctionTip& tip);

  const Catalogue& catalogue_;
  SystemActions& system_;
  MainWindowControls& window_;
  std::atomic<int32_t>& overviewBusy_;
};

}  // namespace corvan
