#include "core/program_messages.h"

#include <gtest/gtest.h>

#include <iterator>

namespace corvan {
namespace {

// A window may get several of them: two that shared a number would be taken for each other.
TEST(ProgramMessages, EachHasANumberOfItsOwnInTheApplicationsRange) {
  const uint32_t messages[] = {kWakeFromSecondCopyMessage, kCloseStartedMessage,         kInitAfterShowMessage,
                               kReinstallMouseHookMessage, kKeyboardHookMessage,         kLeaveBoardMessage,
                               kEnsurePanelsMessage,       kOverviewClosedMessage,       kOverviewDesktopCapturedMessage,
                               kOverviewThreadEndedMessage, kSnapFileWrittenMessage,     kPresentChangesMessage,
                               kSpotlightResizedMessage};
  for (size_t i = 0; i < std::size(messages); ++i) {
    EXPECT_GT(messages[i], 0x8000u) << i;
    EXPECT_LT(messages[i], 0xC000u) << i;
    for (size_t j = i + 1; j < std::size(messages); ++j) EXPECT_NE(messages[i], messages[j]) << i << " and " << j;
  }
}

}  // namespace
}  // namespace corvan
