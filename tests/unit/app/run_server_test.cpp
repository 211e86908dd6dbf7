#include "app/run_server.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/run_request.h"
#include "config/function_labels.h"

namespace corvan {
namespace {

struct Server {
  Server() : shown(BuildCatalogue(Renamed(), false)), english(BuildCatalogue(DefaultFunctionLabels(), false)) {}
  static FunctionLabels Renamed() {
    FunctionLabels labels = DefaultFunctionLabels();
    labels[2] = L"Fenster zeigen";  // a language file's name for "Expose application"
    return labels;
  }
  Catalogue shown;
  Catalogue english;
  RunServer server{shown, english};
};

TEST(RunServer, AnswersEachRequestAndNamesWhatToRun) {
  struct Case {
    const char* what;
    std::wstring name;
    bool busy;
    RunReply reply;
    int32_t run;
  };
  const Case cases[] = {
      {"a shown label", L"Fenster zeigen", false, RunReply::kRan, 2},
      {"the English label in any case", L"expose APPLICATION", false, RunReply::kRan, 2},
      {"a decimal id", L"7", false, RunReply::kRan, 7},
      {"busy: nothing runs", L"Copy", true, RunReply::kBusy, -1},
      {"a name that names nothing", L"Make coffee", false, RunReply::kUnknownName, -1},
      {"an id past the catalogue", L"4000", false, RunReply::kIdOutOfRange, -1},
      {"empty", L"", false, RunReply::kBadName, -1},
  };
  Server s;
  for (const Case& c : cases) {
    const std::vector<uint8_t> block = EncodeRunRequest(c.name);
    const RunServerAnswer answer = s.server.Answer(kRunRequestTag, block.data(), block.size(), c.busy);
    EXPECT_TRUE(answer.runRequest) << c.what;
    int32_t repliedId = -1;
    EXPECT_EQ(DecodeRunReply(answer.reply, &repliedId), c.reply) << c.what;
    EXPECT_EQ(answer.run, c.run) << c.what;
    if (c.reply == RunReply::kRan) {
      EXPECT_EQ(repliedId, c.run) << c.what;
    }
  }
}

TEST(RunServer, LeavesBlocksThatAreNoRunRequestUnread) {
  Server s;
  const std::vector<uint8_t> block = EncodeRunRequest(L"Copy");
  for (const bool busy : {false, true}) {
    EXPECT_FALSE(s.server.Answer(kRunRequestTag + 1, block.data(), block.size(), busy).runRequest);
    EXPECT_FALSE(s.server.Answer(kRunRequestTag, nullptr, block.size(), busy).runRequest);
    EXPECT_FALSE(s.server.Answer(kRunRequestTag, block.data(), block.size() - 1, busy).runRequest);
  }
}

}  // namespace
}  // namespace corvan
