#include "device/guarded_command.h"

#include <gtest/gtest.h>

#include <vector>

#include "receiver_simulator.h"

namespace corvan {
namespace {

using testing::AskedFeature;
using testing::ReceiverModel;
using testing::ReceiverOfFamily;
using testing::ReceiverSimulator;
using testing::SentFeature;
using testing::Transcript;
using testing::Waited;

constexpr size_t kLength = 9;

ReceiverModel Receiver(int busyBeforeReady, int busyBeforeReply) {
  ReceiverModel model = ReceiverOfFamily(2);
  model.busyPollsBeforeReady = busyBeforeReady;
  model.busyPollsBeforeReply = busyBeforeReply;
  return model;
}

// `count` reads of feature report 0, 4 ms apart.
void AppendPolls(Transcript& transcript, int count) {
  for (int i = 0; i < count; ++i) {
    if (i > 0) transcript.push_back(Waited(4));
    transcript.push_back(AskedFeature(0x00, kLength));
  }
}

TEST(SendGuardedCommand, FillsTheCheckByteAndSendsReportZero) {
  const struct {
    GuardedCommand command;  // byte 8 as the caller left it
    uint8_t check;           // byte 8 on the wire
  } cases[] = {
      {{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, 0x00},
      {{0x00, 0x00, 0x12, 0x12, 0x12, 0x12, 0x12, 0x12, 0x00}, 0x00},
      {{0x00, 0x02, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00}, 0x03},
      {{0x00, 0x02, 0x08, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00}, 0x0B},
      {{0x00, 0x02, 0x10, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00}, 0x13},
      {{0x00, 0x02, 0x18, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00}, 0x1B},
      {{0xFF, 0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x00}, 0x7F},  // byte 0 is not covered
      {{0x00, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x55}, 0x80},  // stale byte 8 replaced
  };
  for (const auto& c : cases) {
    const GuardedCommand& b = c.command;
    SCOPED_TRACE(::testing::PrintToString(b));
    ReceiverSimulator receiver(Receiver(0, 0));
    std::vector<uint8_t> reply(kLength, 0xEE);
    EXPECT_TRUE(SendGuardedCommand(receiver, c.command, reply, kLength, 20,
                                   receiver.RecordingSleeper()));
    const Transcript expected = {
        AskedFeature(0x00, kLength), Waited(2),
        SentFeature({0x00, b[1], b[2], b[3], b[4], b[5], b[6], b[7], c.check}, kLength),
        Waited(20), AskedFeature(0x00, kLength), Waited(3)};
    EXPECT_EQ(receiver.Calls(), expected);
    EXPECT_EQ(GuardedCheckByte(c.command), c.check);
  }
}

TEST(SendGuardedCommand, PollsReadinessAndReplyUpToTheirLimits) {
  const struct {
    int busyBeforeReady;
    int busyBeforeReply;
    bool ok;
    int readyPolls;
    int replyPolls;  // 0: the command was never sent
  } cases[] = {
      {0,   0,   true,  1,  1},
      {3,   1,   true,  4,  2},
      {20,  0,   true,  21, 1},    // ready at the last attempt
      {21,  0,   false, 21, 0},    // never ready: nothing is sent
      {0,   200, true,  1,  201},  // reply at the last attempt
      {0,   201, false, 1,  201},  // the reply never completes
  };
  const GuardedCommand hello{};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "busy " << c.busyBeforeReady << "/" << c.busyBeforeReply);
    ReceiverSimulator receiver(Receiver(c.busyBeforeReady, c.busyBeforeReply));
    std::vector<uint8_t> reply(kLength, 0);
    EXPECT_EQ(SendGuardedCommand(receiver, hello, reply, kLength, 10, receiver.RecordingSleeper()),
              c.ok);

    Transcript expected;
    AppendPolls(expected, c.readyPolls);
    if (c.replyPolls > 0) {
      expected.push_back(Waited(2));
      expected.push_back(SentFeature({0x00}, kLength));
      expected.push_back(Waited(10));
      AppendPolls(expected, c.replyPolls);
      if (c.ok) expected.push_back(Waited(3));
    }
    EXPECT_EQ(receiver.Calls(), expected);
    EXPECT_EQ(reply[1] == 'Q' && reply[2] == 'X', c.ok);
  }
}

TEST(SendGuardedCommand, ReadsAndSendsReportZeroWhateverByte0TheBuffersHeld) {
  ReceiverSimulator receiver(Receiver(1, 1));
  const GuardedCommand command{0x5A, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
  std::vector<uint8_t> reply(kLength, 0xEE);
  SendGuardedCommand(receiver, command, reply, kLength, 20, receiver.RecordingSleeper());
  for (const auto& call : receiver.Calls()) EXPECT_EQ(call.reportId, 0x00) << call;
}

TEST(SendGuardedCommand, PadsTheFrameToALongerReportLength) {
  ReceiverModel model = Receiver(0, 0);
  model.facts.featureLength = 16;
  ReceiverSimulator receiver(model);
  std::vector<uint8_t> reply(16, 0);
  const GuardedCommand command{0x00, 0x02, 0x18, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00};
  EXPECT_TRUE(SendGuardedCommand(receiver, command, reply, 16, 20, receiver.RecordingSleeper()));
  ASSERT_EQ(receiver.Calls().size(), 6u);
  EXPECT_EQ(receiver.Calls()[2], SentFeature({0x00, 0x02, 0x18, 0x00, 0x01, 0x00, 0x00, 0x00, 0x1B}, 16));
  EXPECT_EQ(receiver.LengthMismatches(), 0u);
}

TEST(SendGuardedCommand, RefusesAReplyBufferShorterThanAFrameOrTheReport) {
  const struct {
    size_t replySize;
    size_t length;
  } cases[] = {{8, 8}, {9, 12}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.replySize << " for " << c.length);
    ReceiverSimulator receiver(Receiver(0, 0));
    std::vector<uint8_t> reply(c.replySize, 0);
    EXPECT_FALSE(SendGuardedCommand(receiver, GuardedCommand{}, reply, c.length, 10,
                                    receiver.RecordingSleeper()));
    EXPECT_TRUE(receiver.Calls().empty());
  }
}

}  // namespace
}  // namespace corvan
