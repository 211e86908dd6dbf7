#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "overview/thumbnail_service_win32.h"
#include "overview_test_support.h"

namespace corvan {
namespace {

using namespace test;

// Answers as a system with desktop composition does, and writes down every call.
class RecordingThumbnails final : public ThumbnailService {
 public:
  struct Log {
    std::mutex mutex;
    std::map<HWND, std::vector<HTHUMBNAIL>> registered;  // by source window
    std::map<HTHUMBNAIL, std::vector<Rect>> placed;
    std::multiset<HTHUMBNAIL> unregistered;
    int next = 1;
    bool freed = false;
    bool allUnregisteredWhenFreed = false;

    // Every thumbnail registered was unregistered, and once. Call with the mutex held.
    bool AllUnregistered() const {
      size_t count = 0;
      for (const auto& [window, thumbnails] : registered) {
        for (HTHUMBNAIL thumbnail : thumbnails) {
          if (unregistered.count(thumbnail) != 1) return false;
          ++count;
        }
      }
      return count > 0 && unregistered.size() == count;
    }
  };
  explicit RecordingThumbnails(std::shared_ptr<Log> log) : log_(std::move(log)) {}
  // As the system's library is freed with the object: what was not unregistered by now never is.
  ~RecordingThumbnails() override {
    std::lock_guard lock(log_->mutex);
    log_->freed = true;
    log_->allUnregisteredWhenFreed = log_->AllUnregistered();
  }

  bool CompositionOn() override { return true; }
  bool Register(HWND, HWND source, HTHUMBNAIL* thumbnail) override {
    std::lock_guard lock(log_->mutex);
    *thumbnail = reinterpret_cast<HTHUMBNAIL>(static_cast<intptr_t>(log_->next++));
    log_->registered[source].push_back(*thumbnail);
    return true;
  }
  SIZE SourceSize(HTHUMBNAIL thumbnail) override {
    std::lock_guard lock(log_->mutex);
    for (const auto& [window, thumbnails] : log_->registered) {
      if (std::find(thumbnails.begin(), thumbnails.end(), thumbnail) == thumbnails.end()) continue;
      RECT rect{};
      GetWindowRect(window, &rect);
      return {rect.right - rect.left, rect.bottom - rect.top};
    }
    return {};
  }
  void Place(HTHUMBNAIL thumbnail, const Rect& where) override {
    std::lock_guard lock(log_->mutex);
    log_->placed[thumbnail].push_back(where);
  }
  void Unregister(HTHUMBNAIL thumbnail) override {
    std::lock_guard lock(log_->mutex);
    log_->unregistered.insert(thumbnail);
  }

 private:
  std::shared_ptr<Log> log_;
};

class LiveThumbnailOverview : public OverviewWindow {
 protected:
  void BeforeCreate() override { overview.SetThumbnails(std::make_unique<RecordingThumbnails>(log)); }

  std::vector<HTHUMBNAIL> RegistrationsOf(HWND window) {
    std::lock_guard lock(log->mutex);
    return log->registered[window];
  }
  // The window's thumbnail of the latest opening.
  HTHUMBNAIL ThumbnailOf(HWND window) {
    const std::vector<HTHUMBNAIL> thumbnails = RegistrationsOf(window);
    return thumbnails.empty() ? nullptr : thumbnails.back();
  }
  bool AllUnregistered() {
    std::lock_guard lock(log->mutex);
    return log->AllUnregistered();
  }
  std::vector<Rect> Placed(HTHUMBNAIL thumbnail) {
    std::lock_guard lock(log->mutex);
    return log->placed[thumbnail];
  }

  std::shared_ptr<RecordingThumbnails::Log> log = std::make_shared<RecordingThumbnails::Log>();
};

TEST_F(LiveThumbnailOverview, EachItemShowsOneThumbnailOverItsCellThatFollowsTheGrowth) {
  Open(first.hwnd());
  const std::vector<HWND> listed = overview.listedWindows();
  const std::vector<Rect> resting = overview.restingRects();
  ASSERT_EQ(resting.size(), listed.size());
  std::set<HTHUMBNAIL> distinct;
  for (size_t i = 0; i < listed.size(); ++i) {
    ASSERT_EQ(RegistrationsOf(listed[i]).size(), 1u) << "one thumbnail for item " << i;
    const HTHUMBNAIL thumbnail = ThumbnailOf(listed[i]);
    distinct.insert(thumbnail);
    const std::vector<Rect> placed = Placed(thumbnail);
    ASSERT_FALSE(placed.empty());
    EXPECT_EQ(placed.front(), resting[i]) << "item " << i << " starts at rest in its cell";
  }
  EXPECT_EQ(distinct.size(), listed.size());

  PressKey(VK_RIGHT);
  ASSERT_TRUE(Pump([&] { return overview.selected() == 2; }, kBoundMs));
  const HTHUMBNAIL grown = ThumbnailOf(listed[2]);
  EXPECT_TRUE(Pump([&] {
    const std::vector<Rect> placed = Placed(grown);
    return placed.size() > 1 && placed.back() == overview.shownRects()[2] && !(placed.back() == resting[2]);
  }, kBoundMs)) << "the selected item's thumbnail grows with it";
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitClosed());
  EXPECT_TRUE(AllUnregistered());
}

TEST_F(LiveThumbnailOverview, EnterEscAClickAndAClosedWindowUnregisterEveryThumbnail) {
  struct Way {
    const char* name;
    std::function<void(OverviewWindow&)> close;
  };
  const RECT monitor = MonitorRectUnderPointer();
  const Way ways[] = {
      {"Enter", [](OverviewWindow&) { PressKey(VK_RETURN); }},
      {"Esc", [](OverviewWindow&) { PressKey(VK_ESCAPE); }},
      {"a click", [&](OverviewWindow&) {
         const Rect item = overview.shownRects()[0];
         ClickAt({monitor.left + (item.left + item.right) / 2, monitor.top + (item.top + item.bottom) / 2});
       }},
  };
  for (const Way& way : ways) {
    Open(first.hwnd());
    way.close(*this);
    ASSERT_TRUE(WaitClosed()) << way.name;
    EXPECT_TRUE(AllUnregistered()) << way.name;
  }

  Open(first.hwnd());
  const HTHUMBNAIL closed = ThumbnailOf(third.hwnd());
  ASSERT_NE(closed, nullptr);
  DestroyWindow(third.hwnd());
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitClosed());
  EXPECT_TRUE(AllUnregistered()) << "a window closed while listed included";
}

TEST_F(LiveThumbnailOverview, TheProgramsEndUnregistersEveryThumbnail) {
  Open(first.hwnd());
  overview.Destroy();
  EXPECT_TRUE(AllUnregistered());
  EXPECT_EQ(busy, 0);
}

// The program ends with the overview open: the overview goes with the main window, and with it the
// thumbnail library it loaded. The opening's thread unregisters every thumbnail before that.
TEST_F(LiveThumbnailOverview, TheProgramsEndUnregistersEveryThumbnailBeforeTheLibraryGoes) {
  auto ending = std::make_shared<RecordingThumbnails::Log>();
  auto open = std::make_unique<EXPOSE_DLG>();
  open->SetThumbnails(std::make_unique<RecordingThumbnails>(ending));
  ASSERT_TRUE(open->Create(nullptr));
  busy = 1;
  ASSERT_TRUE(open->Open(busy));
  ASSERT_TRUE(Pump([&] { return open->laidOut() && busy == 0; }, kBoundMs));
  open.reset();
  std::lock_guard lock(ending->mutex);
  EXPECT_TRUE(ending->freed) << "the library is freed with the overview";
  EXPECT_TRUE(ending->allUnregisteredWhenFreed);
}

}  // namespace
}  // namespace corvan
