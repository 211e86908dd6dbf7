#include "app/run_server.h"

#include "app/run_request.h"
#include "config/function_names.h"

namespace corvan {

RunServerAnswer RunServer::Answer(uint64_t tag, const void* data, size_t bytes, bool busy) const {
  RunServerAnswer answer;
  const std::optional<std::wstring> name = data ? ReadRunRequest(tag, data, bytes) : std::nullopt;
  if (!name) return answer;
  answer.runRequest = true;
  if (busy) {
    answer.reply = EncodeRunReply(RunReply::kBusy);
    return answer;
  }
  const NameResolution resolved = ResolveFunctionName(shown_, english_, *name);
  switch (resolved.problem) {
    case NameProblem::kNone:
      answer.reply = EncodeRunReply(RunReply::kRan, resolved.id);
      answer.run = resolved.id;
      break;
    case NameProblem::kUnknownName:
      answer.reply = EncodeRunReply(RunReply::kUnknownName);
      break;
    case NameProblem::kIdOutOfRange:
      answer.reply = EncodeRunReply(RunReply::kIdOutOfRange);
      break;
    default:
      answer.reply = EncodeRunReply(RunReply::kBadName);
      break;
  }
  return answer;
}

}  // namespace corvan
