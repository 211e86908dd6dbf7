// One opening of the overview, on a thread of its own: backdrop and panels, the layout, the wait
// for the user's decision, closing and activating the chosen window.
#include <ctime>
#include <random>
#include <utility>

#include "overview/backdrop_gradients.h"
#include "overview/expose_dlg_win32.h"
#include "overview/snapshot_rules.h"
#include "overview/window_facts_win32.h"
#include "overview/window_render_win32.h"
#include "platform/foreground_win32.h"
#include "platform/monitor_win32.h"
#include "ui/gdiplus_canvas_win32.h"

namespace corvan {
namespace {

constexpr DWORD kShowSettleMs = 4;
constexpr int kTitleChars = 200;
constexpr UINT kIconQueryMs = 100;

RECT MonitorRect(HMONITOR monitor) { return AreaOf(monitor).value_or(MonitorArea{}).whole; }

// The desktop's picture for a monitor: the desktop window rendered, or where it is not rendered in
// time, the screen copied; opaque, then darkened. A desktop that did not render is not asked again
// in this opening.
std::unique_ptr<LayeredSurface> DimmedDesktop(HWND desktopWindow, bool& desktopRenders, const RECT& monitor,
                                              BackdropKind kind, std::minstd_rand& random) {
  const int width = monitor.right - monitor.left;
  const int height = monitor.bottom - monitor.top;
  std::unique_ptr<LayeredSurface> surface = desktopRenders ? RenderDesktopPart(desktopWindow, monitor) : nullptr;
  if (surface) {
    MakeOpaque(*surface);
  } else {
    desktopRenders = false;
    surface = std::make_unique<LayeredSurface>();
    if (!surface->Prepare(width, height)) return nullptr;
    CopyScreenOpaque(monitor.left, monitor.top, *surface, false);
  }
  const int firstR = static_cast<int>(random() % 3);
  const int secondR = static_cast<int>(random() % 3);
  const BackdropGradients gradients = ChooseBackdropGradients(kind, firstR, secondR, width, height);
  GdiplusCanvas canvas(surface->bits(), width, height, surface->strideBytes());
  const RectF whole{0, 0, static_cast<float>(width), static_cast<float>(height)};
  canvas.Fill(gradients.first, whole);
  canvas.Fill(gradients.second, whole);
  canvas.Flush();
  return surface;
}

std::wstring TitleOf(HWND window) {
  wchar_t buffer[kTitleChars + 1] = {};
  // Read without asking the window, which may not be answering.
  const int length = InternalGetWindowText(window, buffer, kTitleChars + 1);
  return std::wstring(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

// The first icon the window or its class has; it stays theirs.
HICON IconOf(HWND window) {
  if (auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON))) return icon;
  if (auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM))) return icon;
  for (WPARAM kind : {WPARAM{ICON_BIG}, WPARAM{ICON_SMALL}, WPARAM{ICON_SMALL2}}) {
    DWORD_PTR icon = 0;
    // A hung window must not hold the overview up.
    if (SendMessageTimeoutW(window, WM_GETICON, kind, 0, SMTO_ABORTIFHUNG, kIconQueryMs, &icon) && icon) {
      return reinterpret_cast<HICON>(icon);
    }
  }
  return nullptr;
}

}  // namespace

DWORD WINAPI EXPOSE_DLG::RunExposeMain(LPVOID self) {
  auto* overview = static_cast<EXPOSE_DLG*>(self);
  overview->RunExpose();
  // An opening asked for meanwhile may start now.
  PostMessageW(overview->hwnd(), kOverviewThreadEndedMessage, 0, 0);
  return 0;
}

void EXPOSE_DLG::RunExpose() {
  // However this opening ends, the next "Expose application" is not turned away as busy.
  struct BusyCleared {
    std::atomic<int32_t>* busy;
    ~BusyCleared() {
      if (busy) *busy = 0;
    }
  } busyCleared{busy_};
  const uint32_t opening = opening_;
  std::minstd_rand random(static_cast<unsigned>(std::time(nullptr)));
  composition_ = dwm_ && dwm_->CompositionOn();
  previousForeground_ = GetForegroundWindow();

  const MonitorArea underPointer = MonitorUnderPointer().value_or(MonitorArea{});
  const HMONITOR cursorMonitor = underPointer.monitor;
  const RECT monitor = underPointer.whole;
  const HWND desktopWindow = FindWindowW(L"Progman", nullptr);
  otherMonitors_ = CollectOtherMonitors(cursorMonitor);

  chosen_ = -1;
  hovered_ = -1;
  stage_ = Stage::LayingOut;
  std::vector<Item> items;
  for (HWND window : CollectWindows(hwnd())) items.emplace_back().window = window;
  {
    std::lock_guard lock(itemsMutex_);
    items_ = std::move(items);
    animation_.Reset({}, 0);
    backBuffer_.reset();
  }
  monitorOrigin_ = {monitor.left, monitor.top};
  closeRequested_ = 0;
  ResetEvent(decision_);

  bool desktopRenders = desktopWindow && desktopRendersItself_;
  auto backdrop = DimmedDesktop(desktopWindow, desktopRenders, monitor, BackdropKind::Overview, random);
  {
    std::lock_guard lock(itemsMutex_);
    backdrop_ = std::move(backdrop);
  }
  PreparePanels(desktopWindow, desktopRenders);
  PostMessageW(hwnd(), kOverviewDesktopCapturedMessage, opening, 0);

  SetWindowPos(hwnd(), nullptr, monitor.left, monitor.top, monitor.right - monitor.left, monitor.bottom - monitor.top,
               SWP_NOZORDER);
  ShowWindow(hwnd(), SW_RESTORE);
  BringWindowToTop(hwnd());
  Sleep(kShowSettleMs);
  ShowPanels(desktopWindow);
  WithInputOf(GetForegroundWindow(), [&] {
    SetForegroundWindow(hwnd());
    BringWindowToTop(hwnd());
  });

  if (composition_) {
    LayoutWithThumbnails();
  } else {
    LayoutWithSnapshots();
  }
  WaitForDecision();
  stage_ = Stage::Closed;
  StopAnimation();
  CloseItems();
  PostMessageW(hwnd(), kOverviewClosedMessage, opening, 0);
  if (ending_) return;

  ShowWindow(hwnd(), SW_HIDE);
  HidePanels(desktopWindow);
  if (mainWindow_ && IsWindowVisible(mainWindow_)) InvalidateRect(mainWindow_, nullptr, FALSE);

  HWND target = previousForeground_;
  {
    std::lock_guard lock(itemsMutex_);
    const int32_t chosen = chosen_;
    if (chosen >= 0 && static_cast<size_t>(chosen) < items_.size()) target = items_[static_cast<size_t>(chosen)].window;
  }
  // A window closed meanwhile is simply not activated; one that does not answer is only made the
  // foreground, which asks nothing of it.
  if (target && IsWindow(target)) {
    const bool answers = Answers(target);
    WithInputOf(target, [&] {
      SetForegroundWindow(target);
      if (IsIconic(target)) ShowWindowAsync(target, SW_RESTORE);
      if (answers) BringWindowToTop(target);
    });
  }
  ClipCursor(nullptr);
  ReleasePictures();
}

void EXPOSE_DLG::PreparePanels(HWND desktopWindow, bool& desktopRenders) {
  EnsurePanels(otherMonitors_.size());
  std::minstd_rand random(static_cast<unsigned>(std::time(nullptr)) + 1);
  for (size_t k = 0; k < otherMonitors_.size() && k < panels_.size(); ++k) {
    PanelDlg* panel = panels_[k].get();
    if (!panel || !panel->hwnd()) continue;
    SetWindowTextW(panel->hwnd(), (L"panel " + std::to_wstring(k)).c_str());
    panel->SetPicture(
        DimmedDesktop(desktopWindow, desktopRenders, MonitorRect(otherMonitors_[k]), BackdropKind::Panel, random));
  }
}

void EXPOSE_DLG::ShowPanels(HWND desktopWindow) {
  (void)desktopWindow;
  for (size_t k = 0; k < otherMonitors_.size() && k < panels_.size(); ++k) {
    PanelDlg* panel = panels_[k].get();
    if (!panel || !panel->hwnd()) continue;
    const RECT rect = MonitorRect(otherMonitors_[k]);
    WithInputOf(GetDesktopWindow(), [&] {
      SetWindowPos(panel->hwnd(), HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0);
      ShowWindow(panel->hwnd(), SW_RESTORE);
      SetForegroundWindow(panel->hwnd());
      BringWindowToTop(panel->hwnd());
    });
  }
}

void EXPOSE_DLG::HidePanels(HWND desktopWindow) {
  (void)desktopWindow;
  for (size_t k = 0; k < otherMonitors_.size() && k < panels_.size(); ++k) {
    PanelDlg* panel = panels_[k].get();
    if (!panel || !panel->hwnd()) continue;
    WithInputOf(GetDesktopWindow(), [&] { ShowWindow(panel->hwnd(), SW_HIDE); });
  }
}

void EXPOSE_DLG::LayoutWithThumbnails() {
  RECT window{};
  GetWindowRect(hwnd(), &window);
  const std::vector<HWND> windows = listedWindows();
  const int32_t count = static_cast<int32_t>(windows.size());
  const OverviewGrid grid = ComputeGrid(window.right - window.left, window.bottom - window.top, count);
  const int32_t step = GrowStepSize(count, true);
  std::vector<Placement> placements;
  for (size_t i = 0; i < windows.size(); ++i) {
    // An item without a thumbnail keeps a place of the largest size: nothing is seen there, but
    // the pointer and the keys still reach its window.
    Placement& placement = placements.emplace_back(
        PlaceItem(grid, static_cast<int32_t>(i), {grid.maxItemWidth, grid.maxItemHeight}),
        Growth{static_cast<double>(step), static_cast<double>(step)});
    HTHUMBNAIL thumbnail = nullptr;
    if (!dwm_->Register(hwnd(), windows[i], &thumbnail)) continue;
    placement.thumbnail = thumbnail;
    const SIZE source = dwm_->SourceSize(thumbnail);
    placement.target = PlaceItem(grid, static_cast<int32_t>(i), FitItem(grid, source.cx, source.cy));
    placement.step = ProportionalStep(step, source.cx, source.cy);
    dwm_->Place(thumbnail, placement.target);
  }
  FinishLayout(grid, placements);
}

void EXPOSE_DLG::LayoutWithSnapshots() {
  RECT window{};
  GetWindowRect(hwnd(), &window);
  const std::vector<HWND> windows = listedWindows();
  const int32_t count = static_cast<int32_t>(windows.size());
  const OverviewGrid grid = ComputeGrid(window.right - window.left, window.bottom - window.top, count);
  snapshots_.Refresh(windows, printFlags_, ending_);
  const int32_t step = GrowStepSize(count, false);
  std::vector<Placement> placements;
  for (size_t i = 0; i < windows.size(); ++i) {
    RECT rect{};
    GetWindowRect(windows[i], &rect);
    SnapshotFacts facts;
    facts.minimised = IsIconic(windows[i]) != FALSE;
    facts.windowSize = {rect.right - rect.left, rect.bottom - rect.top};
    bool hasPicture = false;
    {
      auto lock = snapshots_.Lock();
      if (const SnapshotCache::Record* record = snapshots_.Find(windows[i])) {
        facts.hasRecord = true;
        facts.capturedSize = record->capturedSize;
        hasPicture = record->picture != nullptr;
      }
    }
    const SnapshotSize source = LayoutSourceSize(facts, hasPicture);
    const Rect target = PlaceItem(grid, static_cast<int32_t>(i), FitSnapshotItem(grid, source.width, source.height));
    placements.push_back({target, ProportionalStep(step, target.right - target.left, target.bottom - target.top)});
  }
  FinishLayout(grid, placements);
}

void EXPOSE_DLG::FinishLayout(const OverviewGrid& grid, const std::vector<Placement>& placements) {
  const std::vector<HWND> windows = listedWindows();
  std::vector<std::wstring> titles;
  std::vector<HICON> icons;
  for (HWND window : windows) {
    titles.push_back(TitleOf(window));
    icons.push_back(IconOf(window));
  }
  RECT client{};
  GetClientRect(hwnd(), &client);
  auto backBuffer = std::make_unique<LayeredSurface>();
  if (!backBuffer->Prepare(client.right + 1, client.bottom + 1)) backBuffer.reset();
  {
    std::lock_guard lock(itemsMutex_);
    grid_ = grid;
    // Only this thread changes the list: the placements are one per item.
    std::vector<GrowShrinkAnimation::Item> growth;
    for (size_t i = 0; i < items_.size(); ++i) {
      Item& item = items_[i];
      item.title = std::move(titles[i]);
      item.icon = icons[i];
      item.target = placements[i].target;
      item.thumbnail = placements[i].thumbnail;
      growth.push_back({item.target, CellOf(grid, static_cast<int32_t>(i)), placements[i].step});
    }
    animation_.Reset(std::move(growth), GrowMargin(static_cast<int32_t>(items_.size())));
    backBuffer_ = std::move(backBuffer);
  }
  StartAnimation();
  paintPending_ = true;
  stage_ = Stage::LaidOut;
  InvalidateRect(hwnd(), nullptr, FALSE);
  if (windows.size() == 1) SelectItem(0);
  if (windows.size() >= 2) SelectItem(1);
  InvalidateRect(hwnd(), nullptr, FALSE);
  if (busy_) *busy_ = 0;
}

void EXPOSE_DLG::WaitForDecision() {
  // Set by a key, a button release or the program's end; nothing else wakes this thread.
  WaitForSingleObject(decision_, INFINITE);
}

void EXPOSE_DLG::CloseItems() {
  std::vector<HTHUMBNAIL> thumbnails;
  {
    std::lock_guard lock(itemsMutex_);
    for (Item& item : items_) thumbnails.push_back(std::exchange(item.thumbnail, nullptr));
  }
  for (HTHUMBNAIL thumbnail : thumbnails) {
    if (thumbnail) dwm_->Unregister(thumbnail);
  }
}

void EXPOSE_DLG::ReleasePictures() {
  for (auto& panel : panels_) {
    if (panel) panel->SetPicture(nullptr);
  }
  snapshots_.KeepOnlyMinimised();
  std::lock_guard lock(itemsMutex_);
  backdrop_.reset();
  backBuffer_.reset();
}

}  // namespace corvan
