// The Win32 HID layer against a receiver: enumeration, paths, opening, facts and every report
// call of the real transport, with the stand-in hid.dll beside this program playing the
// receiver family named by CORVAN_STANDIN_FAMILY.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "device/receiver_link.h"
#include "hid_interfaces_support.h"
#include "platform/hid_win32.h"
#include "receiver_simulator.h"

namespace corvan {
namespace {

using testing::ReceiverOfFamily;
using testing::ReceiverSimulator;
using testing::Transcript;

int Family() {
  char value[8] = {};
  GetEnvironmentVariableA("CORVAN_STANDIN_FAMILY", value, sizeof value);
  return std::atoi(value);
}

class NoSleep final : public Sleeper {
 public:
  void SleepMs(uint32_t) override {}
};

// Lines of a transcript as the stand-in writes them, waits left out.
std::string Lines(const Transcript& calls) {
  std::ostringstream out;
  for (const auto& call : calls) {
    if (call.kind != testing::HidCallKind::kWait) out << call << '\n';
  }
  return out.str();
}

// What a receiver of this run's family hears when talked to directly, without the Win32 layer.
std::string DirectApply(const ReceiverSettings& settings) {
  ReceiverSimulator receiver(ReceiverOfFamily(Family()));
  ApplyToInterface(receiver, receiver.Facts(), settings, receiver.RecordingSleeper());
  return Lines(receiver.Calls());
}

std::string DirectReset(const ReceiverSettings& settings) {
  ReceiverSimulator receiver(ReceiverOfFamily(Family()));
  ResetInterface(receiver, receiver.Facts(), settings, receiver.RecordingSleeper());
  return Lines(receiver.Calls());
}

std::string Repeated(const std::string& once, size_t times) {
  std::string all;
  for (size_t i = 0; i < times; ++i) all += once;
  return all;
}

class StandInReceiver : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_GE(Family(), 1) << "run with CORVAN_STANDIN_FAMILY set to 1..6";
    char directory[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, directory);
    transcriptPath = std::string(directory) + "corvan-standin-" + std::to_string(GetCurrentProcessId()) + ".txt";
    DeleteFileA(transcriptPath.c_str());
    SetEnvironmentVariableA("CORVAN_STANDIN_TRANSCRIPT", transcriptPath.c_str());
    SetEnvironmentVariableA("CORVAN_STANDIN_FAULT", nullptr);
    paths = test::ListHidInterfacesWhenReady(enumerator);
    ASSERT_FALSE(paths.empty()) << "no HID interface to play a receiver on";
  }
  void TearDown() override { DeleteFileA(transcriptPath.c_str()); }

  // Every "open" line of the transcript starts an interface; the text after the last one.
  std::string Transcript() const {
    std::ifstream in(transcriptPath);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  // The requests alone, as a receiver talked to directly records them: which of them the
  // receiver refused is left out (families 1 and 2 reset with a string request that fails).
  std::string WithoutOpens(std::string text) const {
    for (size_t at; (at = text.find("open\n")) != std::string::npos;) text.erase(at, 5);
    for (size_t at; (at = text.find(" refused")) != std::string::npos;) text.erase(at, 8);
    return text;
  }
  size_t Opens() const {
    const std::string text = Transcript();
    size_t count = 0;
    for (size_t at = 0; (at = text.find("open\n", at)) != std::string::npos; at += 5) ++count;
    return count;
  }

  Win32HidEnumerator enumerator;
  std::vector<std::u16string> paths;
  std::string transcriptPath;
  NoSleep sleeper;
  std::mutex pushLock;
  Assignments assignments;
  std::atomic<int32_t> shuttingDown{0};
};

TEST_F(StandInReceiver, EveryInterfaceOpensWithTheFactsOfTheReceiver) {
  const HidInterfaceFacts expected = ReceiverSimulator(ReceiverOfFamily(Family())).Facts();
  for (const std::u16string& path : paths) {
    EXPECT_EQ(path.rfind(u"\\\\?\\hid#", 0), 0u) << "a device interface path";
    std::optional<OpenedHidInterface> opened = enumerator.Open(path);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->facts.vendorId, expected.vendorId);
    EXPECT_EQ(opened->facts.productId, expected.productId);
    EXPECT_EQ(opened->facts.usagePage, expected.usagePage);
    EXPECT_EQ(opened->facts.inputLength, expected.inputLength);
    EXPECT_EQ(opened->facts.outputLength, expected.outputLength);
    EXPECT_EQ(opened->facts.featureLength, expected.featureLength);
    enumerator.Close(*opened);
    EXPECT_FALSE(opened->transport);
  }
}

TEST_F(StandInReceiver, AnApplyPassSendsWhatTheFamilyExpectsToEveryInterface) {
  assignments.flagByte = 0x18;
  assignments.buttonOrder = 2;
  {
    JoiningThreadStarter threads;
    ReceiverLink link(enumerator, sleeper, threads, pushLock, assignments, shuttingDown);
    link.PushSettingsToReceivers();
  }  // the link waits for its workers
  EXPECT_EQ(Opens(), paths.size());
  EXPECT_EQ(WithoutOpens(Transcript()), Repeated(DirectApply({0x18, 2, false}), paths.size()));
}

TEST_F(StandInReceiver, TheCloseSequenceAppliesNeutralSettingsThenResets) {
  assignments.flagByte = 0x10;
  assignments.buttonOrder = 1;
  JoiningThreadStarter threads;
  ReceiverLink link(enumerator, sleeper, threads, pushLock, assignments, shuttingDown);
  int ended = 0;
  link.RunCloseSequence(assignments, shuttingDown, [&] { ++ended; });
  EXPECT_EQ(ended, 1);
  const ReceiverSettings closing{0x00, 1, true};
  EXPECT_EQ(WithoutOpens(Transcript()),
            Repeated(DirectApply(closing), paths.size()) + Repeated(DirectReset(closing), paths.size()));
}

TEST_F(StandInReceiver, AReceiverUnpluggedMidSequenceIsLeftAndTheNextPassReachesIt) {
  SetEnvironmentVariableA("CORVAN_STANDIN_FAULT", "unplugged@1");
  assignments.flagByte = 0x08;
  {
    JoiningThreadStarter threads;
    ReceiverLink link(enumerator, sleeper, threads, pushLock, assignments, shuttingDown);
    link.PushSettingsToReceivers();
  }
  // Every interface was opened and took its first request; everything after it was refused, and
  // the sequence did not stop at the first refusal.
  std::istringstream lines(Transcript());
  size_t opens = 0, accepted = 0, refused = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line == "open") {
      ++opens;
    } else if (line.size() > 8 && line.compare(line.size() - 8, 8, " refused") == 0) {
      ++refused;
    } else {
      ++accepted;
    }
  }
  EXPECT_EQ(opens, paths.size());
  EXPECT_EQ(accepted, paths.size());
  EXPECT_GE(refused, paths.size());

  SetEnvironmentVariableA("CORVAN_STANDIN_FAULT", nullptr);
  DeleteFileA(transcriptPath.c_str());
  {
    JoiningThreadStarter threads;
    ReceiverLink link(enumerator, sleeper, threads, pushLock, assignments, shuttingDown);
    link.PushSettingsToReceivers();
  }
  EXPECT_EQ(WithoutOpens(Transcript()), Repeated(DirectApply({0x08, 0, false}), paths.size()));
}

}  // namespace
}  // namespace corvan
