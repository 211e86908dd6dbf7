#include "platform/windows_version_win32.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

#include "config/catalogue.h"
#include "config/function_labels.h"

namespace corvan {
namespace {

// Run by the acceptance suite once with Wine reporting 6.1 and once with 6.2, with the expected
// answer in CORVAN_EXPECT_WINDOWS62; skipped in an ordinary run.
TEST(WindowsVersion, CatalogueFollowsWhatTheSystemReports) {
  const char* expected = std::getenv("CORVAN_EXPECT_WINDOWS62");
  if (!expected) GTEST_SKIP() << "run by windows_version_test.sh";
  const bool windows62 = std::string(expected) == "1";
  EXPECT_EQ(QueryWindows62OrLater(), windows62);
  const Catalogue catalogue = BuildCatalogue(DefaultFunctionLabels(), QueryWindows62OrLater());
  EXPECT_EQ(catalogue.Count(), windows62 ? 28 : 31);
}

// The reported version stops at 6.2 for a program like ours; the kernel's is never lower.
TEST(SystemVersion, BothQueriesAnswerAndTheTrueOneIsNeverLower) {
  const std::optional<WindowsVersion> reported = ReportedWindowsVersion();
  const std::optional<WindowsVersion> truth = TrueWindowsVersion();
  ASSERT_TRUE(reported.has_value());
  ASSERT_TRUE(truth.has_value());
  EXPECT_GE(truth->major, 6u);
  EXPECT_GE(std::pair(truth->major, truth->minor), std::pair(reported->major, reported->minor));
}

}  // namespace
}  // namespace corvan
