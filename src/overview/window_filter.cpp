#include "overview/window_filter.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace corvan {
namespace {

// Shell surfaces that look like windows but are the desktop's own furniture.
constexpr std::array<std::wstring_view, 7> kExcludedClasses = {
    L"WorkerW",         L"NativeHWNDHost", L"ImmersiveBackgroundWindow", L"ImmersiveLauncher",
    L"MetroGhostWindow", L"SearchPane",    L"Snapped Desktop",
};

constexpr size_t kNameBufferChars = 100;

std::wstring_view AsRead(const std::wstring& text) {
  return std::wstring_view(text).substr(0, kNameBufferChars - 1);
}

bool IsShellWindow(WindowId window, const ShellWindows& shell) {
  return window == shell.tray || window == shell.desktop || window == shell.firstButton;
}

bool SameFamily(WindowId window, WindowId windowOwner, WindowId listed, WindowFactsSource& source) {
  return window == listed || window == source.Facts(listed).owner || (windowOwner != 0 && windowOwner == listed);
}

}  // namespace

std::vector<WindowId> FilterWindows(const std::vector<WindowId>& enumeration, WindowId desktopWindow,
                                    WindowId ownWindow, WindowFactsSource& source) {
  std::vector<WindowId> listed;
  for (WindowId window : enumeration) {
    if (window == 0) continue;
    const WindowFacts facts = source.Facts(window);
    if (facts.exStyle & kToolWindowStyle) continue;
    if (!facts.visible) continue;
    if (window == desktopWindow || (ownWindow != 0 && window == ownWindow)) continue;
    const std::wstring_view className = AsRead(facts.className);
    if (std::find(kExcludedClasses.begin(), kExcludedClasses.end(), className) != kExcludedClasses.end()) continue;
    if (AsRead(facts.title) == kOverviewTitle) {
      source.Hide(window);
      continue;
    }
    const ShellWindows shell = source.CurrentShellWindows();
    if (IsShellWindow(window, shell)) continue;
    const bool inListedFamily = std::any_of(listed.begin(), listed.end(), [&](WindowId entry) {
      return SameFamily(window, facts.owner, entry, source);
    });
    if (inListedFamily) continue;

    WindowId shown = window;
    if (!facts.minimised && facts.right == facts.left) {
      // An invisible sliver standing for its owner (a launcher's hidden frame): the owner is shown.
      if (facts.owner == 0 || IsShellWindow(facts.owner, shell)) continue;
      const WindowFacts ownerFacts = source.Facts(facts.owner);
      if (ownerFacts.right == ownerFacts.left) continue;
      shown = facts.owner;
    }
    if (listed.size() < kMaxOverviewWindows) listed.push_back(shown);
  }
  return listed;
}

std::vector<MonitorId> OtherMonitors(const std::vector<MonitorId>& monitors, MonitorId cursorMonitor) {
  std::vector<MonitorId> others;
  for (MonitorId monitor : monitors) {
    if (monitor != cursorMonitor && others.size() < kMaxOtherMonitors) others.push_back(monitor);
  }
  return others;
}

}  // namespace corvan
