#include "platform/keyboard_injector_win32.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "config/catalogue.h"
#include "input/dispatcher.h"
#include "platform/actions_win32.h"
#include "recording_main_window_controls.h"

namespace corvan {
namespace {

TEST(InputFromKeyRecord, CopiesTheRecordAndGivesScanCodesTheirVirtualKey) {
  struct Row {
    const char* name;
    uint16_t virtualKey, scanCode;
    uint32_t flags;
    WORD expectedVirtualKey;
  };
  const Row rows[] = {
//   name                                   vk    scan    flags virtual key sent
    {"left Control",                         0,    0x1D,   0x8,  VK_LCONTROL},
    {"left Control up",                      0,    0x1D,   0xA,  VK_LCONTROL},
    {"left Shift",                           0,    0x2A,   0x8,  VK_LSHIFT},
    {"right Control, 0xE0 in the high byte", 0,    0xE01D, 0x9,  VK_RCONTROL},
    {"right Alt",                            0,    0xE038, 0x9,  VK_RMENU},
    {"right Windows",                        0,    0xE05C, 0x9,  VK_RWIN},
    {"Page Down, extended by its flag",      0,    0x51,   0x9,  VK_NEXT},
    {"Page Up up",                           0,    0x49,   0xB,  VK_PRIOR},
    {"a virtual key is kept",                0x43, 0,      0x0,  0x43},
    {"so is virtual key 0",                  0,    0,      0x2,  0},
  };
  for (const Row& row : rows) {
    KeyRecord record;
    record.virtualKey = row.virtualKey;
    record.scanCode = row.scanCode;
    record.flags = row.flags;
    const INPUT input = InputFromKeyRecord(record, 0x5A17);
    EXPECT_EQ(input.type, static_cast<DWORD>(INPUT_KEYBOARD)) << row.name;
    // With MAPVK_VSC_TO_VK_EX, Control, Shift and Alt map to their left or right key.
    EXPECT_EQ(input.ki.wVk, row.expectedVirtualKey) << row.name;
    EXPECT_EQ(input.ki.wScan, row.scanCode) << row.name;
    EXPECT_EQ(input.ki.dwFlags, row.flags) << row.name;
    EXPECT_EQ(input.ki.time, 0u) << row.name;
    EXPECT_EQ(input.ki.dwExtraInfo, 0x5A17u) << row.name;
  }
}

struct SeenKey {
  DWORD virtualKey;
  DWORD scanCode;
  DWORD flags;  // LLKHF_EXTENDED and LLKHF_UP
};

// Sees every injected key through a low-level keyboard hook on a thread of its own, and swallows
// it so that nothing on the desktop reacts to the test's keys.
class InjectedKeyObserver {
 public:
  InjectedKeyObserver() {
    current_ = this;
    thread_ = std::thread([this] { Run(); });
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return started_; });
  }
  ~InjectedKeyObserver() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
    current_ = nullptr;
  }
  bool hooked() const { return hook_ != nullptr; }

  // The keys seen once there are `count` of them, or when the bound has run out.
  std::vector<SeenKey> WaitFor(size_t count, std::chrono::milliseconds bound) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_for(lock, bound, [&] { return seen_.size() >= count; });
    return seen_;
  }

 private:
  void Run() {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for WM_QUIT
    threadId_ = GetCurrentThreadId();
    hook_ = SetWindowsHookExW(WH_KEYBOARD_LL, &InjectedKeyObserver::Hook, GetModuleHandleW(nullptr), 0);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      started_ = true;
    }
    changed_.notify_all();
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    if (hook_) UnhookWindowsHookEx(hook_);
  }

  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (code != HC_ACTION || !(key->flags & LLKHF_INJECTED)) return CallNextHookEx(nullptr, code, wParam, lParam);
    {
      std::lock_guard<std::mutex> lock(current_->mutex_);
      current_->seen_.push_back({key->vkCode, key->scanCode, key->flags & (LLKHF_EXTENDED | LLKHF_UP)});
    }
    current_->changed_.notify_all();
    return 1;
  }

  static inline InjectedKeyObserver* current_ = nullptr;
  std::thread thread_;
  DWORD threadId_ = 0;
  HHOOK hook_ = nullptr;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool started_ = false;
  std::vector<SeenKey> seen_;
};

// The keys a function's run and release inject, as a hook sees them.
class InjectedKeys : public ::testing::Test {
 protected:
  std::vector<SeenKey> RunAndRelease(const wchar_t* label, size_t keyCount) {
    const Catalogue catalogue = BuildCatalogue(DefaultFunctionLabels(), false);
    const int32_t id = IdOf(catalogue, label);
    EXPECT_GE(id, 0);
    Win32ShellCalls shell;
    Win32KeyboardInjector keyboard;
    Win32Actions actions(shell, keyboard);
    std::atomic<int32_t> busy{0};
    ActionDispatcher dispatcher(catalogue, actions, window_, busy);

    InjectedKeyObserver observer;
    EXPECT_TRUE(observer.hooked());
    dispatcher.RunFunction(id);
    dispatcher.ReleaseFunction(id);
    return observer.WaitFor(keyCount, std::chrono::seconds(5));
  }

  static constexpr DWORD kDown = 0;
  static constexpr DWORD kUp = LLKHF_UP;
  static constexpr DWORD kExtended = LLKHF_EXTENDED;
  // Virtual-key records carry no scan code of their own; whether the system fills one in is its
  // business.
  static constexpr DWORD kAnyScanCode = 0xFFFFFFFF;

  void ExpectKeys(const std::vector<SeenKey>& seen, const std::vector<SeenKey>& expected) {
    ASSERT_EQ(seen.size(), expected.size());
    for (size_t i = 0; i < seen.size(); ++i) {
      EXPECT_EQ(seen[i].virtualKey, expected[i].virtualKey) << "key " << i;
      if (expected[i].scanCode != kAnyScanCode) {
        EXPECT_EQ(seen[i].scanCode, expected[i].scanCode) << "key " << i;
      }
      EXPECT_EQ(seen[i].flags, expected[i].flags) << "key " << i;
    }
  }

  RecordingMainWindowControls window_;
};

TEST_F(InjectedKeys, CopyIsLeftControlAndC) {
  const std::vector<SeenKey> seen = RunAndRelease(L"Copy", 6);
  ExpectKeys(seen, {
      {VK_LCONTROL, 0x1D, kDown}, {'C', kAnyScanCode, kDown},  // press
      {VK_LCONTROL, 0x1D, kUp},   {'C', kAnyScanCode, kUp},    // release within the run
      {VK_LCONTROL, 0x1D, kUp},   {'C', kAnyScanCode, kUp},    // the button's release
  });
  ASSERT_EQ(window_.tips.size(), 1u);
  EXPECT_EQ(window_.tips[0].text, L"Copy");
}

TEST_F(InjectedKeys, PageDownIsAnExtendedScanCode) {
  const std::vector<SeenKey> seen = RunAndRelease(L"Page Down", 3);
  ExpectKeys(seen, {
      {VK_NEXT, 0x51, kExtended | kDown},
      {VK_NEXT, 0x51, kExtended | kUp},
      {VK_NEXT, 0x51, kExtended | kUp},
  });
}

TEST_F(InjectedKeys, StartMenuIsRightWindowsAndVirtualKeyZero) {
  const std::vector<SeenKey> seen = RunAndRelease(L"Start menu", 6);
  ASSERT_EQ(seen.size(), 6u);
  for (size_t i = 0; i < seen.size(); i += 2) {
    const DWORD upOrDown = i == 0 ? kDown : kUp;
    EXPECT_EQ(seen[i].virtualKey, static_cast<DWORD>(VK_RWIN)) << "key " << i;
    EXPECT_EQ(seen[i].scanCode & 0xFF, 0x5Cu) << "key " << i;
    EXPECT_EQ(seen[i].flags, kExtended | upOrDown) << "key " << i;
    EXPECT_EQ(seen[i + 1].virtualKey, 0u) << "key " << i + 1;
    EXPECT_EQ(seen[i + 1].flags, upOrDown) << "key " << i + 1;
  }
}

}  // namespace
}  // namespace corvan
