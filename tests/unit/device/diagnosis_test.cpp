#include "device/diagnosis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "receiver_simulator.h"
#include "simulated_hid_enumerator.h"

namespace corvan {
namespace {

using testing::HidCallKind;
using testing::ReceiverModel;
using testing::ReceiverOfFamily;
using testing::ReceiverSimulator;
using testing::SimulatedHidEnumerator;
using testing::VirtualMouse;

TEST(FormatDiagnosisLine, HexadecimalIdsDecimalLengthsAndTheFamily) {
  const struct {
    HidInterfaceFacts facts;  // vendor, product, usage page, input, output, feature
    int family;
    const char16_t* expected;
  } cases[] = {
      {{0x0C45, 0x7C01, 0xFF31, 33, 33, 0},       1, u"p  VendorID=0x0C45 ProductID=0x7C01 UsagePage=0xFF31 InLen=33 OutLen=33 FeatLen=0 family=1\n"},
      {{0x845E, 0x0001, 0x0001, 5, 0, 0},         0, u"p  VendorID=0x845E ProductID=0x0001 UsagePage=0x0001 InLen=5 OutLen=0 FeatLen=0 family=none\n"},
      {{0x0000, 0x0000, 0x0000, 0, 0, 0},         0, u"p  VendorID=0x0000 ProductID=0x0000 UsagePage=0x0000 InLen=0 OutLen=0 FeatLen=0 family=none\n"},
      {{0xFFFF, 0xabcd, 0xFF00, 65535, 10, 100},  6, u"p  VendorID=0xFFFF ProductID=0xABCD UsagePage=0xFF00 InLen=65535 OutLen=10 FeatLen=100 family=6\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatDiagnosisLine(u"p", c.facts, c.family), c.expected);
  }
}

TEST(DiagnoseInterfaces, ALinePerInterfaceAndNoReportSentOrAsked) {
  SimulatedHidEnumerator machine;
  std::vector<ReceiverSimulator*> interfaces;
  for (int family = 1; family <= 6; ++family) {
    interfaces.push_back(&machine.Add(u"\\\\?\\hid#r" + std::u16string(1, static_cast<char16_t>(u'0' + family)),
                                      ReceiverOfFamily(family)));
  }
  interfaces.push_back(&machine.Add(u"\\\\?\\hid#mouse", VirtualMouse()));
  machine.AddUnopenable(u"\\\\?\\hid#gone");
  ReceiverModel shortOutput = ReceiverOfFamily(1);
  shortOutput.facts.outputLength = 30;
  interfaces.push_back(&machine.Add(u"\\\\?\\hid#\u00e9", shortOutput));

  EXPECT_EQ(DiagnoseInterfaces(machine),
            u"\\\\?\\hid#r1  VendorID=0x0C45 ProductID=0x7C01 UsagePage=0xFF31 InLen=33 OutLen=33 FeatLen=0 family=1\n"
            u"\\\\?\\hid#r2  VendorID=0x25A7 ProductID=0x2410 UsagePage=0xFF00 InLen=0 OutLen=0 FeatLen=9 family=2\n"
            u"\\\\?\\hid#r3  VendorID=0x062A ProductID=0x4101 UsagePage=0xFF00 InLen=0 OutLen=0 FeatLen=9 family=3\n"
            u"\\\\?\\hid#r4  VendorID=0x2B10 ProductID=0x0124 UsagePage=0xFF00 InLen=0 OutLen=0 FeatLen=9 family=4\n"
            u"\\\\?\\hid#r5  VendorID=0x056E ProductID=0x00F1 UsagePage=0xFF00 InLen=0 OutLen=0 FeatLen=21 family=5\n"
            u"\\\\?\\hid#r6  VendorID=0x1A2C ProductID=0x0E24 UsagePage=0xFF29 InLen=8 OutLen=8 FeatLen=0 family=6\n"
            u"\\\\?\\hid#mouse  VendorID=0x845E ProductID=0x0001 UsagePage=0x0001 InLen=5 OutLen=0 FeatLen=0 family=none\n"
            u"\\\\?\\hid#gone  not opened\n"
            u"\\\\?\\hid#\u00e9  VendorID=0x0C45 ProductID=0x7C01 UsagePage=0xFF31 InLen=33 OutLen=30 FeatLen=0 family=none\n");
  EXPECT_EQ(machine.opens, 8);
  EXPECT_EQ(machine.closes, 8);
  for (const ReceiverSimulator* device : interfaces) {
    EXPECT_TRUE(std::all_of(device->Calls().begin(), device->Calls().end(),
                            [](const auto& call) { return call.kind == HidCallKind::kGetString; }));
  }
}

TEST(DiagnoseInterfaces, NothingPresentGivesNoText) {
  SimulatedHidEnumerator machine;
  EXPECT_EQ(DiagnoseInterfaces(machine), u"");
}

}  // namespace
}  // namespace corvan
