#include "device/receiver_link.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "expected_transcripts.h"
#include "receiver_simulator.h"
#include "simulated_hid_enumerator.h"

namespace corvan {
namespace {

using namespace testing;

// Runs every job at once, on the caller's thread.
class InlineStarter : public ThreadStarter {
 public:
  void Start(std::function<void()> job) override {
    ++started;
    job();
  }
  int started = 0;
};

// Keeps the jobs until the test runs them, from whichever thread it likes.
class QueuedStarter : public ThreadStarter {
 public:
  void Start(std::function<void()> job) override {
    std::lock_guard lock(mutex_);
    jobs_.push_back(std::move(job));
    ++started_;
    changed_.notify_all();
  }

  int Started() const {
    std::lock_guard lock(mutex_);
    return started_;
  }

  // True once `count` jobs have been started; false after a generous bound.
  bool WaitUntilStarted(int count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return started_ >= count; });
  }

  // Last started first: the push lock, not the order of starting, decides who goes first.
  // Each job is dropped as soon as it has run, as a finished thread drops it.
  void RunNewestFirst() {
    while (std::function<void()> job = TakeNewest()) job();
  }

  void DropAll() {
    std::deque<std::function<void()>> dropped;
    std::lock_guard lock(mutex_);
    dropped.swap(jobs_);
  }

 private:
  std::function<void()> TakeNewest() {
    std::lock_guard lock(mutex_);
    if (jobs_.empty()) return {};
    std::function<void()> job = std::move(jobs_.back());
    jobs_.pop_back();
    return job;
  }

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::function<void()>> jobs_;
  int started_ = 0;
};

// What a receiver of `family` hears from one apply or reset with `settings`, taken from a
// receiver talked to directly.
Transcript DirectApply(int family, const ReceiverSettings& settings) {
  ReceiverSimulator receiver(ReceiverOfFamily(family));
  ApplyToInterface(receiver, receiver.Facts(), settings, receiver.RecordingSleeper());
  return receiver.Calls();
}

Transcript DirectReset(int family, const ReceiverSettings& settings) {
  ReceiverSimulator receiver(ReceiverOfFamily(family));
  ResetInterface(receiver, receiver.Facts(), settings, receiver.RecordingSleeper());
  return receiver.Calls();
}

std::u16string Path(int n) {
  return u"\\\\?\\hid#vid_0000&pid_0000&col0" + std::u16string(1, static_cast<char16_t>(u'0' + n)) +
         u"#{4d1e55b2-f16f-11cf-88cb-001111000030}";
}

ReceiverModel Device(HidInterfaceFacts facts) {
  ReceiverModel model;
  model.facts = facts;
  return model;
}

// Interfaces that share a machine with a receiver: facts are vendor, product, usage page,
// input, output and feature lengths.
std::vector<ReceiverModel> OtherInterfaces() {
  return {
      VirtualMouse(),
      Device({0x845E, 0x0002, 0x0001, 9, 2, 0}),     // keyboard
      Device({0x0C45, 0x7C01, 0x0001, 8, 0, 0}),     // a receiver's mouse collection
      Device({0x0C45, 0x7C01, 0x000C, 3, 0, 0}),     // its consumer keys
      Device({0x0C45, 0x7C01, 0xFF31, 33, 30, 0}),   // vendor page, output one byte short
      Device({0x046D, 0xC52B, 0xFF00, 20, 20, 9}),   // nine-byte features, no name
      Device({0x1234, 0x5678, 0xFF00, 0, 0, 21}),    // 21-byte features, another vendor
      Device({0x1A2C, 0x0E24, 0xFF29, 64, 64, 0}),   // long reports, no signature
      Device({0x054C, 0x09CC, 0x0001, 64, 32, 0}),   // game pad
  };
}

// Identification may ask for a string; nothing else reaches an interface that is no receiver.
bool OnlyAskedForStrings(const ReceiverSimulator& device) {
  return std::all_of(device.Calls().begin(), device.Calls().end(),
                     [](const auto& call) { return call.kind == HidCallKind::kGetString; });
}

class ReceiverLinkTest : public ::testing::Test {
 protected:
  void TearDown() override { queued.DropAll(); }

  bool LockIsFree() {
    if (!pushLock.try_lock()) return false;
    pushLock.unlock();
    return true;
  }

  SimulatedHidEnumerator machine;
  InterfaceSleeper sleeper{machine};
  std::mutex pushLock;
  Assignments assignments;
  std::atomic<int32_t> shuttingDown{0};
  InlineStarter inlineStarter;
  QueuedStarter queued;
  ReceiverLink link{machine, sleeper, inlineStarter, pushLock, assignments, shuttingDown};
  ReceiverLink queuedLink{machine, sleeper, queued, pushLock, assignments, shuttingDown};
};

TEST_F(ReceiverLinkTest, TenInterfacesGetTenWorkersAndOnlyTheReceiverIsSentAnything) {
  assignments.flagByte = 0x18;
  assignments.buttonOrder = 2;
  const ReceiverSettings settings{0x18, 2, false};
  for (int family = 1; family <= 6; ++family) {
    SCOPED_TRACE("family " + std::to_string(family));
    SimulatedHidEnumerator tenInterfaces;
    InterfaceSleeper waits(tenInterfaces);
    QueuedStarter starter;
    ReceiverLink pass(tenInterfaces, waits, starter, pushLock, assignments, shuttingDown);
    std::vector<ReceiverSimulator*> others;
    int n = 0;
    for (ReceiverModel& model : OtherInterfaces()) others.push_back(&tenInterfaces.Add(Path(n++), model));
    ReceiverSimulator& receiver = tenInterfaces.Add(Path(n++), ReceiverOfFamily(family));

    pass.PushSettingsToReceivers();
    EXPECT_EQ(starter.Started(), 10);
    EXPECT_EQ(tenInterfaces.openRequests.size(), 0u) << "the pass itself opens nothing";

    starter.RunNewestFirst();
    EXPECT_EQ(tenInterfaces.opens, 10);
    EXPECT_EQ(tenInterfaces.closes, 10);
    EXPECT_EQ(tenInterfaces.overlaps, 0);
    EXPECT_EQ(receiver.Calls(), DirectApply(family, settings));
    for (const ReceiverSimulator* other : others) EXPECT_TRUE(OnlyAskedForStrings(*other));
    EXPECT_TRUE(waits.outsideWaits.empty());
    EXPECT_TRUE(LockIsFree());
  }
}

TEST_F(ReceiverLinkTest, TwoQuickPassesLeaveTheLaterSettings) {
  ReceiverSimulator& four = machine.Add(Path(1), ReceiverOfFamily(4));
  ReceiverSimulator& five = machine.Add(Path(2), ReceiverOfFamily(5));
  ReceiverSimulator& six = machine.Add(Path(3), ReceiverOfFamily(6));

  assignments.flagByte = 0x10;
  assignments.buttonOrder = 1;
  queuedLink.PushSettingsToReceivers();
  // The second change lands while the first pass's workers still wait for the lock.
  assignments.flagByte = 0x08;
  assignments.buttonOrder = 4;
  shuttingDown = 1;
  queuedLink.PushSettingsToReceivers();
  EXPECT_EQ(queued.Started(), 6);
  queued.RunNewestFirst();

  // The later settings: order 4, and closing, which reassigns no side button whatever the byte.
  const Transcript fourClosing = Family4(0x01, 0x00);
  const Transcript fiveClosing = Family5Apply(0x00, 0);
  const Transcript six4 = Family6(144, 197);
  EXPECT_EQ(four.Calls(), Concat({fourClosing, fourClosing}));
  EXPECT_EQ(five.Calls(), Concat({fiveClosing, fiveClosing}));
  EXPECT_EQ(six.Calls(), Concat({six4, six4}));
  EXPECT_TRUE(LockIsFree());
}

TEST_F(ReceiverLinkTest, CloseSendsNeutralSettingsThenResetsThenSettlesThenEnds) {
  const struct {
    int family;
    Transcript expected;  // with button order 3
  } cases[] = {
      {1, Concat({Family1Apply(0x00), {AskedString(148, 2048)}})},
      {2, Concat({Family2Apply(0x00, 0x03), {AskedString(120, 256)}})},
      {3, Concat({Family3(0x01, 0x00), Family3(0x00, 0x00)})},
      {4, Concat({Family4(0x01, 0x00), Family4(0x00, 0x00)})},
      {5, Family5Apply(0x00, 0)},
      {6, Concat({Family6(143, 197), Family6(143, 198)})},
  };
  std::vector<ReceiverSimulator*> receivers;
  for (const auto& c : cases) receivers.push_back(&machine.Add(Path(c.family), ReceiverOfFamily(c.family)));
  ReceiverSimulator& mouse = machine.Add(Path(9), VirtualMouse());
  assignments.flagByte = 0x18;
  assignments.buttonOrder = 3;

  int ended = 0;
  std::vector<uint32_t> waitsBeforeEnd;
  link.RunCloseSequence(assignments, shuttingDown, [&] {
    ++ended;
    waitsBeforeEnd = sleeper.outsideWaits;
  });

  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("family " + std::to_string(cases[i].family));
    EXPECT_EQ(receivers[i]->Calls(), cases[i].expected);
  }
  EXPECT_TRUE(mouse.Calls().empty());
  EXPECT_EQ(inlineStarter.started, 7);
  EXPECT_EQ(assignments.flagByte, 0);
  EXPECT_EQ(shuttingDown, 1);
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(waitsBeforeEnd, std::vector<uint32_t>{400});
  EXPECT_EQ(machine.opens, machine.closes);
  EXPECT_TRUE(LockIsFree());
}

TEST_F(ReceiverLinkTest, CloseMovesOnlyARunningProgramToClosing) {
  const struct {
    int32_t before;
    int32_t after;
  } cases[] = {
      {0, 1},
      {1, 1},
      {2, 2},  // the single-instance listener has already ended
  };
  for (const auto& c : cases) {
    shuttingDown = c.before;
    link.RunCloseSequence(assignments, shuttingDown, [] {});
    EXPECT_EQ(shuttingDown, c.after) << "before " << c.before;
  }
}

// A save that runs while the program closes (or after a crash) recomputes the flag byte; the
// receivers still hear none of it.
TEST_F(ReceiverLinkTest, APushWhileClosingSendsNothingReassigned) {
  ReceiverSimulator& four = machine.Add(Path(4), ReceiverOfFamily(4));
  assignments.flagByte = 0x18;
  shuttingDown = 1;
  link.PushSettingsToReceivers();
  EXPECT_EQ(four.Calls(), Family4(0x01, 0x00));
  shuttingDown = 0;
  four.ClearTranscript();
  link.PushSettingsToReceivers();
  EXPECT_EQ(four.Calls(), Family4(0x01, 0x18));
}

TEST_F(ReceiverLinkTest, InterfacesThatCannotBeOpenedAreSkipped) {
  const struct {
    const char* name;
    std::function<void(ReceiverLink&)> run;
    Transcript four;
    Transcript six;
  } cases[] = {
      {"apply pass", [](ReceiverLink& l) { l.PushSettingsToReceivers(); }, Family4(0x01, 0x10), Family6(141, 197)},
      {"reset pass", [](ReceiverLink& l) { l.ResetReceivers(); },          Family4(0x00, 0x00), Family6(141, 198)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SimulatedHidEnumerator three;
    InterfaceSleeper waits(three);
    ReceiverLink pass(three, waits, inlineStarter, pushLock, assignments, shuttingDown);
    ReceiverSimulator& four = three.Add(Path(1), ReceiverOfFamily(4));
    three.AddUnopenable(Path(2));
    ReceiverSimulator& six = three.Add(Path(3), ReceiverOfFamily(6));
    assignments.flagByte = 0x10;
    assignments.buttonOrder = 1;

    c.run(pass);
    EXPECT_EQ(three.openRequests, (std::vector<std::u16string>{Path(1), Path(2), Path(3)}));
    EXPECT_EQ(three.closes, 2);
    EXPECT_EQ(four.Calls(), c.four);
    EXPECT_EQ(six.Calls(), c.six);
    EXPECT_TRUE(LockIsFree());
  }
}

TEST_F(ReceiverLinkTest, ReceiverUnpluggedMidSequenceIsClosedAndTheNextPassSucceeds) {
  const ReceiverSettings settings{0x18, 3, false};
  assignments.flagByte = 0x18;
  assignments.buttonOrder = 3;
  const struct {
    const char* name;
    std::function<void(ReceiverLink&)> run;
    Transcript (*direct)(int, const ReceiverSettings&);
    std::vector<int> families;  // those with something to send in this pass
  } passes[] = {
      {"apply", [](ReceiverLink& l) { l.PushSettingsToReceivers(); }, DirectApply, {1, 2, 3, 4, 5, 6}},
      {"reset", [](ReceiverLink& l) { l.ResetReceivers(); },          DirectReset, {3, 4, 6}},
  };
  for (const auto& pass : passes) {
    for (int family : pass.families) {
      SCOPED_TRACE(std::string(pass.name) + ", family " + std::to_string(family));
      SimulatedHidEnumerator two;
      InterfaceSleeper waits(two);
      ReceiverLink passLink(two, waits, inlineStarter, pushLock, assignments, shuttingDown);
      ReceiverSimulator& receiver = two.Add(Path(1), ReceiverOfFamily(family));
      ReceiverSimulator& four = two.Add(Path(2), ReceiverOfFamily(4));
      const Transcript healthy = pass.direct(family, settings);
      const auto requests = static_cast<size_t>(std::count_if(
          healthy.begin(), healthy.end(), [](const HidCall& call) { return call.kind != HidCallKind::kWait; }));
      // Pulled out at each request of the pass in turn.
      for (size_t at = 0; at < requests; ++at) {
        SCOPED_TRACE("unplugged from request " + std::to_string(at));
        receiver.ClearFaults();
        receiver.ClearTranscript();
        four.ClearTranscript();
        const int opensBefore = two.opens;
        receiver.InjectFault(SimulatedFault::kUnplugged, at);

        pass.run(passLink);
        EXPECT_EQ(two.opens - opensBefore, 2);
        EXPECT_EQ(two.opens, two.closes);
        EXPECT_EQ(four.Calls(), pass.direct(4, settings)) << "the next interface is still served";
        EXPECT_TRUE(LockIsFree());

        receiver.ClearFaults();
        receiver.ClearTranscript();
        pass.run(passLink);
        EXPECT_EQ(receiver.Calls(), pass.direct(family, settings)) << "plugged in again, it gets everything";
      }
    }
  }
}

// A request of the close sequence fails once, at each position in turn: the receiver still hears
// the rest, the reset after the apply, and the program still ends once.
TEST_F(ReceiverLinkTest, AFailureDuringTheCloseSequenceLeavesTheRestToFollow) {
  const ReceiverSettings closing{0x00, 3, true};
  for (int family : {3, 4, 6}) {
    const Transcript healthyReset = DirectReset(family, closing);
    ReceiverSimulator healthy(ReceiverOfFamily(family));
    ApplyToInterface(healthy, healthy.Facts(), closing, healthy.RecordingSleeper());
    const size_t applyRequests = healthy.RequestCount();
    ResetInterface(healthy, healthy.Facts(), closing, healthy.RecordingSleeper());
    for (SimulatedFault fault : {SimulatedFault::kRejectsReports, SimulatedFault::kStringsFail}) {
      for (size_t at = 0; at < healthy.RequestCount(); ++at) {
        SCOPED_TRACE("family " + std::to_string(family) + ", fault " + std::to_string(static_cast<int>(fault)) +
                     " at request " + std::to_string(at));
        SimulatedHidEnumerator one;
        InterfaceSleeper waits(one);
        std::atomic<int32_t> closingFlag{0};
        Assignments settings;
        settings.flagByte = 0x18;
        settings.buttonOrder = 3;
        ReceiverLink closeLink(one, waits, inlineStarter, pushLock, settings, closingFlag);
        ReceiverSimulator& receiver = one.Add(Path(1), ReceiverOfFamily(family));
        receiver.InjectFault(fault, at, 1);
        int ended = 0;
        closeLink.RunCloseSequence(settings, closingFlag, [&] { ++ended; });

        EXPECT_EQ(ended, 1);
        EXPECT_EQ(one.opens, 2);
        EXPECT_EQ(one.opens, one.closes);
        const Transcript& heard = receiver.Calls();
        if (at < applyRequests) {
          // A string-identified receiver not recognised in the apply is still reset.
          ASSERT_GE(heard.size(), healthyReset.size());
          EXPECT_EQ(Transcript(heard.end() - static_cast<std::ptrdiff_t>(healthyReset.size()), heard.end()),
                    healthyReset);
        } else {
          EXPECT_EQ(Transcript(heard.begin(), heard.begin() + static_cast<std::ptrdiff_t>(healthy.Calls().size() -
                                                                                           healthyReset.size())),
                    DirectApply(family, closing));
        }
      }
    }
  }
}

std::u16string LongPath(size_t length) {
  // Non-ASCII units and a surrogate pair, so that nothing narrows or re-encodes the path.
  std::u16string path = u"\\\\?\\hid#vid_2b10&pid_0124#\u00e9\u4e2d\U0001F5B1#";
  while (path.size() < length) path.push_back(static_cast<char16_t>(u'a' + path.size() % 26));
  return path;
}

TEST_F(ReceiverLinkTest, PathsOfAnyLengthReachOpenWhole) {
  const struct {
    const char* name;
    std::function<void(ReceiverLink&, const std::u16string&)> run;
  } entries[] = {
      {"apply pass", [](ReceiverLink& l, const std::u16string&) { l.PushSettingsToReceivers(); }},
      {"arrival",    [](ReceiverLink& l, const std::u16string& p) { l.OnInterfaceArrived(p); }},
      {"reset pass", [](ReceiverLink& l, const std::u16string&) { l.ResetReceivers(); }},
  };
  for (size_t length : {511u, 512u, 513u, 1024u, 5000u}) {
    for (const auto& entry : entries) {
      SCOPED_TRACE(std::string(entry.name) + ", " + std::to_string(length) + " units");
      SimulatedHidEnumerator one;
      InterfaceSleeper waits(one);
      ReceiverLink pass(one, waits, inlineStarter, pushLock, assignments, shuttingDown);
      const std::u16string path = LongPath(length);
      ReceiverSimulator& receiver = one.Add(path, ReceiverOfFamily(4));

      entry.run(pass, path);
      EXPECT_EQ(one.openRequests, std::vector<std::u16string>{path});
      EXPECT_EQ(receiver.RequestCount(), 3u);
    }
  }
}

TEST_F(ReceiverLinkTest, AnArrivalBringsTheCurrentSettingsToThatInterfaceAlone) {
  ReceiverSimulator& present = machine.Add(Path(1), ReceiverOfFamily(4));
  ReceiverSimulator& arrived = machine.Add(Path(2), ReceiverOfFamily(6));
  assignments.buttonOrder = 0;
  queuedLink.OnInterfaceArrived(Path(2));
  assignments.buttonOrder = 5;
  EXPECT_EQ(queued.Started(), 1);

  queued.RunNewestFirst();
  EXPECT_EQ(machine.listings, 0);
  EXPECT_EQ(machine.openRequests, std::vector<std::u16string>{Path(2)});
  EXPECT_TRUE(present.Calls().empty());
  EXPECT_EQ(arrived.Calls(), Family6(145, 197));
}

// The reset at close must come after the apply workers of the same close, even though
// those only run once the reset pass is already waiting.
TEST_F(ReceiverLinkTest, ResetAtCloseWaitsForTheApplyWorkersStartedBeforeIt) {
  ReceiverSimulator& four = machine.Add(Path(1), ReceiverOfFamily(4));
  ReceiverSimulator& six = machine.Add(Path(2), ReceiverOfFamily(6));
  assignments.flagByte = 0x18;

  std::atomic<int> ended{0};
  std::thread closer([&] { queuedLink.RunCloseSequence(assignments, shuttingDown, [&] { ++ended; }); });
  EXPECT_TRUE(queued.WaitUntilStarted(2));
  EXPECT_EQ(ended, 0);
  queued.RunNewestFirst();
  closer.join();

  EXPECT_EQ(four.Calls(), Concat({Family4(0x01, 0x00), Family4(0x00, 0x00)}));
  EXPECT_EQ(six.Calls(), Concat({Family6(140, 197), Family6(140, 198)}));
  EXPECT_EQ(ended, 1);
}

// The production starter: real threads, and the close sequence still ends with every
// receiver applied, then reset.
TEST_F(ReceiverLinkTest, CloseOverRealThreadsEndsWithEveryReceiverReset) {
  JoiningThreadStarter threads;
  ReceiverLink threaded(machine, sleeper, threads, pushLock, assignments, shuttingDown);
  std::vector<ReceiverSimulator*> fours;
  for (int n = 0; n < 8; ++n) fours.push_back(&machine.Add(Path(n), ReceiverOfFamily(4)));

  threaded.RunCloseSequence(assignments, shuttingDown, [] {});
  for (const ReceiverSimulator* four : fours) {
    EXPECT_EQ(four->Calls(), Concat({Family4(0x01, 0x00), Family4(0x00, 0x00)}));
  }
  EXPECT_EQ(machine.overlaps, 0);
}

}  // namespace
}  // namespace corvan
