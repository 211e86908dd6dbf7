#include "platform/hid_win32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "config/assignments.h"
#include "device/diagnosis.h"
#include "device/receiver_family.h"
#include "device/receiver_link.h"
#include "hid_interfaces_support.h"

namespace corvan {
namespace {

// What reached the real interfaces. Workers run on threads of their own, hence atomics.
struct Traffic {
  std::atomic<int> reports{0};  // sent or asked for, of any kind
  std::atomic<int> strings{0};
  std::atomic<int> opens{0};
  std::atomic<int> closes{0};
  std::atomic<int> waits{0};
  std::atomic<int> settleWaits{0};
};

class CountingTransport : public HidTransport {
 public:
  CountingTransport(std::unique_ptr<HidTransport> real, Traffic& traffic)
      : real(std::move(real)), traffic_(traffic) {}

  bool SendFeatureReport(const uint8_t* bytes, size_t length) override {
    ++traffic_.reports;
    return real->SendFeatureReport(bytes, length);
  }
  bool SendOutputReport(const uint8_t* bytes, size_t length) override {
    ++traffic_.reports;
    return real->SendOutputReport(bytes, length);
  }
  bool GetFeatureReport(uint8_t* buffer, size_t length) override {
    ++traffic_.reports;
    return real->GetFeatureReport(buffer, length);
  }
  bool GetInputReport(uint8_t* buffer, size_t length) override {
    ++traffic_.reports;
    return real->GetInputReport(buffer, length);
  }
  bool GetIndexedString(uint32_t index, uint8_t* buffer, size_t byteSize) override {
    ++traffic_.strings;
    return real->GetIndexedString(index, buffer, byteSize);
  }

  std::unique_ptr<HidTransport> real;

 private:
  Traffic& traffic_;
};

// The real enumerator, with every request counted on its way through.
class CountingEnumerator : public HidEnumerator {
 public:
  explicit CountingEnumerator(Traffic& traffic) : traffic_(traffic) {}

  std::vector<std::u16string> ListInterfacePaths() override { return real_.ListInterfacePaths(); }

  std::optional<OpenedHidInterface> Open(std::u16string_view path) override {
    std::optional<OpenedHidInterface> opened = real_.Open(path);
    if (!opened) return opened;
    ++traffic_.opens;
    opened->transport = std::make_unique<CountingTransport>(std::move(opened->transport), traffic_);
    return opened;
  }

  void Close(OpenedHidInterface& opened) override {
    OpenedHidInterface inner{std::move(static_cast<CountingTransport&>(*opened.transport).real),
                             opened.facts};
    opened.transport.reset();
    real_.Close(inner);
    ++traffic_.closes;
  }

 private:
  Win32HidEnumerator real_;
  Traffic& traffic_;
};

class CountingSleeper : public Sleeper {
 public:
  explicit CountingSleeper(Traffic& traffic) : traffic_(traffic) {}
  void SleepMs(uint32_t ms) override {
    ++traffic_.waits;
    if (ms == 400) ++traffic_.settleWaits;
  }

 private:
  Traffic& traffic_;
};

std::string Printable(const std::u16string& text) {
  std::string out;
  for (char16_t unit : text) out.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
  return out;
}

// Under Wine these are its virtual mouse and keyboard.
TEST(Win32Hid, ListedInterfacesOpenOrAreSkippedAndNoneIsAReceiver) {
  Win32HidEnumerator enumerator;
  const std::vector<std::u16string> paths = test::ListHidInterfacesWhenReady(enumerator);
  ASSERT_FALSE(paths.empty()) << "no HID interface listed: nothing here would be tested";
  for (const std::u16string& path : paths) {
    SCOPED_TRACE(Printable(path));
    EXPECT_FALSE(path.empty());
    EXPECT_EQ(path.find(u'\0'), std::u16string::npos);
    std::optional<OpenedHidInterface> opened = enumerator.Open(path);
    if (!opened) continue;
    EXPECT_EQ(IdentifyReceiverFamily(*opened->transport, opened->facts), kNoReceiverFamily);
    enumerator.Close(*opened);
    EXPECT_EQ(opened->transport, nullptr);
  }
}

TEST(Win32Hid, DiagnosisHasALinePerInterface) {
  Win32HidEnumerator enumerator;
  const size_t listed = test::ListHidInterfacesWhenReady(enumerator).size();
  ASSERT_GT(listed, 0u);
  const std::u16string text = DiagnoseInterfaces(enumerator);
  std::printf("%s", Printable(text).c_str());
  size_t lines = 0;
  for (char16_t unit : text) lines += unit == u'\n';
  EXPECT_EQ(lines, listed);
  EXPECT_EQ(text.find(u"family=1"), std::u16string::npos);
}

TEST(Win32Hid, PathsThatNameNoInterfaceDoNotOpen) {
  Win32HidEnumerator enumerator;
  const std::u16string missing = u"\\\\?\\hid#vid_0000&pid_0000#0#{4d1e55b2-f16f-11cf-88cb-001111000030}";
  EXPECT_FALSE(enumerator.Open(missing).has_value());
  EXPECT_FALSE(enumerator.Open(missing + std::u16string(600, u'x')).has_value());
  EXPECT_FALSE(enumerator.Open(u"").has_value());
}

// Apply workers on real threads, an arrival, and the close sequence's apply and reset passes:
// with no receiver present, not one report and not one protocol wait.
TEST(Win32Hid, PassesOverInterfacesWithoutAReceiverSendNothing) {
  Traffic traffic;
  CountingEnumerator enumerator(traffic);
  CountingSleeper sleeper(traffic);
  JoiningThreadStarter threads;
  std::mutex pushLock;
  Assignments assignments;
  assignments.flagByte = 0x18;
  assignments.buttonOrder = 2;
  std::atomic<int32_t> shuttingDown{0};
  ReceiverLink link(enumerator, sleeper, threads, pushLock, assignments, shuttingDown);

  const std::vector<std::u16string> paths = test::ListHidInterfacesWhenReady(enumerator);
  ASSERT_FALSE(paths.empty());
  link.PushSettingsToReceivers();
  for (const std::u16string& path : paths) link.OnInterfaceArrived(path);
  int ended = 0;
  link.RunCloseSequence(assignments, shuttingDown, [&] { ++ended; });

  EXPECT_EQ(ended, 1);
  EXPECT_EQ(traffic.reports, 0);
  EXPECT_EQ(traffic.waits, 1);
  EXPECT_EQ(traffic.settleWaits, 1);
  EXPECT_EQ(traffic.opens, traffic.closes);
  EXPECT_LE(traffic.opens, static_cast<int>(4 * paths.size()));
  EXPECT_EQ(assignments.flagByte, 0);
  EXPECT_EQ(shuttingDown, 1);
}

}  // namespace
}  // namespace corvan
