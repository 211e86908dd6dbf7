#include "device/receiver_family.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "expected_transcripts.h"
#include "receiver_simulator.h"

namespace corvan {
namespace {

using namespace testing;
using testing::Utf16Descriptor;

struct SequenceCase {
  const char* name;
  int family;
  ReceiverSettings settings;  // flagByte, buttonOrder, shuttingDown
  Transcript expected;
};

TEST(ApplyToInterface, SendsEachFamilysSequenceExactly) {
  const SequenceCase cases[] = {
      {"family 1, F 00",         1, {0x00, 0, false},  Family1Apply(0x00)},
      {"family 1, F 08",         1, {0x08, 0, false},  Family1Apply(0x08)},
      {"family 1, F 10",         1, {0x10, 0, false},  Family1Apply(0x10)},
      {"family 1, F 18",         1, {0x18, 0, false},  Family1Apply(0x18)},
      {"family 2, F 00",         2, {0x00, 0, false},  Family2Apply(0x00, 0x03)},
      {"family 2, F 08",         2, {0x08, 0, false},  Family2Apply(0x08, 0x0B)},
      {"family 2, F 10",         2, {0x10, 0, false},  Family2Apply(0x10, 0x13)},
      {"family 2, F 18",         2, {0x18, 0, false},  Family2Apply(0x18, 0x1B)},
      {"family 3, F 00",         3, {0x00, 0, false},  Family3(0x01, 0x00)},
      {"family 3, F 08",         3, {0x08, 0, false},  Family3(0x01, 0x08)},
      {"family 3, F 10",         3, {0x10, 0, false},  Family3(0x01, 0x10)},
      {"family 3, F 18",         3, {0x18, 0, false},  Family3(0x01, 0x18)},
      {"family 4, F 00",         4, {0x00, 0, false},  Family4(0x01, 0x00)},
      {"family 4, F 08",         4, {0x08, 0, false},  Family4(0x01, 0x08)},
      {"family 4, F 10",         4, {0x10, 0, false},  Family4(0x01, 0x10)},
      {"family 4, F 18",         4, {0x18, 0, false},  Family4(0x01, 0x18)},
      {"family 5, F 00",         5, {0x00, 0, false},  Family5Apply(0x00, 1)},
      {"family 5, F 08",         5, {0x08, 0, false},  Family5Apply(0x08, 1)},
      {"family 5, F 10",         5, {0x10, 0, false},  Family5Apply(0x10, 1)},
      {"family 5, F 18",         5, {0x18, 0, false},  Family5Apply(0x18, 1)},
      {"family 5, closing",      5, {0x00, 0, true},   Family5Apply(0x00, 0)},
      {"family 5, closing F 18", 5, {0x18, 0, true},   Family5Apply(0x18, 0)},
      {"family 6, F 00",         6, {0x00, 2, false},  Family6(142, 197)},
      {"family 6, F 08",         6, {0x08, 2, false},  Family6(142, 197)},
      {"family 6, F 10",         6, {0x10, 2, false},  Family6(142, 197)},
      {"family 6, F 18",         6, {0x18, 2, false},  Family6(142, 197)},
      {"family 6, order -1",     6, {0x00, -1, false}, Family6(140, 197)},
      {"family 6, order 0",      6, {0x00, 0, false},  Family6(140, 197)},
      {"family 6, order 5",      6, {0x00, 5, false},  Family6(145, 197)},
      {"family 6, order 9",      6, {0x00, 9, false},  Family6(145, 197)},
  };
  for (const SequenceCase& c : cases) {
    SCOPED_TRACE(c.name);
    ReceiverSimulator receiver(ReceiverOfFamily(c.family));
    EXPECT_EQ(ApplyToInterface(receiver, receiver.Facts(), c.settings, receiver.RecordingSleeper()),
              c.family);
    EXPECT_EQ(receiver.Calls(), c.expected);
  }
}

TEST(ResetInterface, SendsResetsOnlyToFamilies3To6AndAsksOthersOnlyToIdentify) {
  const struct {
    const char* name;
    ReceiverModel model;
    ReceiverSettings settings;
    int family;
    Transcript expected;
  } cases[] = {
      // Family 1 declares long reports, so the reset rules probe it as family 6 would be.
      {"family 1",           ReceiverOfFamily(1), {0x18, 0, false},  0, {AskedString(148, 2048)}},
      {"family 2",           ReceiverOfFamily(2), {0x18, 0, false},  0, {AskedString(120, 256)}},
      {"family 3",           ReceiverOfFamily(3), {0x18, 0, false},  3, Family3(0x00, 0x00)},
      {"family 4",           ReceiverOfFamily(4), {0x18, 0, false},  4, Family4(0x00, 0x00)},
      {"family 5",           ReceiverOfFamily(5), {0x18, 0, true},   0, {}},
      {"family 6, order 3",  ReceiverOfFamily(6), {0x18, 3, false},  6, Family6(143, 198)},
      {"family 6, order -1", ReceiverOfFamily(6), {0x00, -1, false}, 6, Family6(140, 198)},
      {"family 6, order 9",  ReceiverOfFamily(6), {0x00, 9, false},  6, Family6(145, 198)},
      {"virtual mouse",      VirtualMouse(),      {0x18, 0, false},  0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ReceiverSimulator receiver(c.model);
    EXPECT_EQ(ResetInterface(receiver, receiver.Facts(), c.settings, receiver.RecordingSleeper()),
              c.family);
    EXPECT_EQ(receiver.Calls(), c.expected);
  }
}

ReceiverModel Model(int family, HidInterfaceFacts facts,
                    std::map<uint32_t, std::vector<uint8_t>> strings = {}) {
  ReceiverModel model = ReceiverOfFamily(family);
  model.facts = facts;
  for (auto& [index, bytes] : strings) model.strings[index] = bytes;
  return model;
}

TEST(IdentifyReceiverFamily, FollowsTheOrderOfTests) {
  const Transcript askName = {AskedString(120, 256)};
  const Transcript askSignature = {AskedString(148, 2048)};
  const struct {
    const char* name;
    ReceiverModel model;  // answers; facts as declared: vendor, product, page, in, out, feature
    int family;
    Transcript expected;
  } cases[] = {
      {"0C45 FF31 out 31",            Model(1, {0x0C45, 0x7C01, 0xFF31, 33, 31, 0}),  1, {}},
      {"0C45 FF31 out 30",            Model(1, {0x0C45, 0x7C01, 0xFF31, 33, 30, 0}),  0, askSignature},
      {"0C45 FF31 out 30, feature 9", Model(4, {0x0C45, 0x7C01, 0xFF31, 33, 30, 9}),  4, askName},
      {"0C45 FF00 out 31",            Model(1, {0x0C45, 0x7C01, 0xFF00, 0, 31, 0}),   0, {}},
      {"25A7 2410",                   Model(2, {0x25A7, 0x2410, 0xFF00, 0, 0, 9}),    2, {}},
      {"25A7 2410, feature 8",        Model(2, {0x25A7, 0x2410, 0xFF00, 0, 0, 8}),    0, {}},
      {"25A7 2411, Telk24",           Model(4, {0x25A7, 0x2411, 0xFF00, 0, 0, 9}),    4, askName},
      {"25A7 2411, no name",          Model(2, {0x25A7, 0x2411, 0xFF00, 0, 0, 9}),    0, askName},
      {"062A 41xx",                   Model(3, {0x062A, 0x41FF, 0xFF00, 0, 0, 9}),    3, {}},
      {"062A 36xx",                   Model(3, {0x062A, 0x3600, 0xFF00, 0, 0, 9}),    3, {}},
      {"062A 42xx, Telk24",           Model(4, {0x062A, 0x4236, 0xFF00, 0, 0, 9}),    4, askName},
      {"Telk24 in lower case",        Model(4, {0x2B10, 0x0124, 0xFF00, 0, 0, 9}, {{120, Utf16Descriptor(u"telk24")}}), 0, askName},
      {"Telk245",                     Model(4, {0x2B10, 0x0124, 0xFF00, 0, 0, 9}, {{120, Utf16Descriptor(u"Telk245")}}), 0, askName},
      {"Telk24 in single bytes",      Model(4, {0x2B10, 0x0124, 0xFF00, 0, 0, 9}, {{120, {'T', 'e', 'l', 'k', '2', '4', 0}}}), 0, askName},
      {"feature 9, long reports",     Model(6, {0x1A2C, 0x0E24, 0xFF29, 8, 8, 9}),    0, askName},
      {"feature 21 FF00, 0C45",       Model(5, {0x0C45, 0x00F1, 0xFF00, 0, 0, 21}),   5, {}},
      {"feature 21 FF00, 056E",       Model(5, {0x056E, 0x00F1, 0xFF00, 0, 0, 21}),   5, {}},
      {"feature 21 FF00, other",      Model(6, {0x1A2C, 0x0E24, 0xFF00, 8, 8, 21}),   0, {}},
      {"feature 21 FF29, KVOT",       Model(6, {0x1A2C, 0x0E24, 0xFF29, 8, 8, 21}),   6, askSignature},
      {"KVOT",                        Model(6, {0x1A2C, 0x0E24, 0xFF29, 7, 7, 0}),    6, askSignature},
      {"KVOT, byte 5 is 13",          Model(6, {0x1A2C, 0x0E24, 0xFF29, 8, 8, 0}, {{148, {'K', 'V', 'O', 'T', 0x01, 0x13}}}), 0, askSignature},
      {"KVOT, 12 in byte 4",          Model(6, {0x1A2C, 0x0E24, 0xFF29, 8, 8, 0}, {{148, {'K', 'V', 'O', 'T', 0x12, 0x00}}}), 0, askSignature},
      {"KVOT in lower case",          Model(6, {0x1A2C, 0x0E24, 0xFF29, 8, 8, 0}, {{148, {'k', 'V', 'O', 'T', 0x01, 0x12}}}), 0, askSignature},
      {"KVOT as UTF-16 characters",   Model(6, {0x1A2C, 0x0E24, 0xFF29, 8, 8, 0}, {{148, Utf16Descriptor(u"KVOT\u1200")}}), 0, askSignature},
      {"out 7, in 6",                 Model(6, {0x1A2C, 0x0E24, 0xFF29, 6, 7, 0}),    0, {}},
      {"out 6, in 7",                 Model(6, {0x1A2C, 0x0E24, 0xFF29, 7, 6, 0}),    0, {}},
      {"Wine's virtual mouse",        VirtualMouse(),                                 0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ReceiverSimulator identified(c.model);
    EXPECT_EQ(IdentifyReceiverFamily(identified, identified.Facts()), c.family);
    EXPECT_EQ(identified.Calls(), c.expected);
    if (c.family == kNoReceiverFamily) {
      ReceiverSimulator applied(c.model);
      EXPECT_EQ(ApplyToInterface(applied, applied.Facts(), {0x18, 0, false},
                                 applied.RecordingSleeper()),
                kNoReceiverFamily);
      EXPECT_EQ(applied.Calls(), c.expected) << "nothing beyond identification is sent";
    }
  }
}

TEST(IdentifyReceiverFamily, FailedStringRequestsIdentifyNothing) {
  for (int family : {4, 6}) {
    SCOPED_TRACE(family);
    ReceiverModel model = ReceiverOfFamily(family);
    model.strings.clear();
    ReceiverSimulator receiver(model);
    EXPECT_EQ(IdentifyReceiverFamily(receiver, receiver.Facts()), kNoReceiverFamily);
    EXPECT_EQ(receiver.RequestCount(), 1u);
  }
}

TEST(ApplyToInterface, Family1StopsUnlessTheReceiverAnswers124254) {
  const struct {
    const char* name;
    std::vector<uint8_t> answer;  // empty: the input report request fails
    size_t requests;
  } cases[] = {
      {"answers 12 42 54", {0x07, 0x12, 0x42, 0x54}, 3},
      {"answers 12 42 55", {0x07, 0x12, 0x42, 0x55}, 2},
      {"answers 42 54 12", {0x07, 0x42, 0x54, 0x12}, 2},
      {"request fails",    {},                       2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ReceiverModel model = ReceiverOfFamily(1);
    model.inputReports.clear();
    if (!c.answer.empty()) model.inputReports[0x07] = c.answer;
    ReceiverSimulator receiver(model);
    ApplyToInterface(receiver, receiver.Facts(), {0x18, 0, false}, receiver.RecordingSleeper());
    EXPECT_EQ(receiver.RequestCount(), c.requests);
  }
}

TEST(ApplyToInterface, Family2EndsAfterTheFirstExchangeWithoutQX) {
  ReceiverModel model = ReceiverOfFamily(2);
  model.guardedCommands = false;  // a receiver that answers feature report 0 with zeros
  model.featureReports[0x00] = {0x00, 0x00, 0x00};
  ReceiverSimulator receiver(model);
  ApplyToInterface(receiver, receiver.Facts(), {0x18, 0, false}, receiver.RecordingSleeper());
  const Transcript expected = {AskedFeature(0x00, 9), Waited(2),
                               SentFeature({0x00}, 9), Waited(10),
                               AskedFeature(0x00, 9), Waited(3)};
  EXPECT_EQ(receiver.Calls(), expected);
}

TEST(ApplyToInterface, ReportsUseTheInterfacesOwnLengthsBeyondTheMinimumBuffer) {
  ReceiverModel model = ReceiverOfFamily(1);
  model.facts.inputLength = 100;
  model.facts.outputLength = 65;
  ReceiverSimulator receiver(model);
  ApplyToInterface(receiver, receiver.Facts(), {0x10, 0, false}, receiver.RecordingSleeper());
  const Transcript expected = {SentOutput({0x07}, 65), Waited(4), AskedInput(0x07, 100),
                               SentOutput({0x07, 0x01, 0x0C, 0x12, 0x03, 0x05, 0x10}, 65)};
  EXPECT_EQ(receiver.Calls(), expected);
}

}  // namespace
}  // namespace corvan
