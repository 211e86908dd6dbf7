#include "app/run_server_win32.h"

namespace corvan {

LRESULT Win32RunServer::OnCopiedData(const COPYDATASTRUCT& data, bool busy, FunctionRunner& runner) {
  const RunServerAnswer answer = server_.Answer(data.dwData, data.lpData, data.cbData, busy);
  if (!answer.runRequest) return 0;
  const auto reply = static_cast<LRESULT>(answer.reply);
  if (answer.run < 0) return reply;
  // Answered first: the later copy does not wait for what the function does.
  ReplyMessage(reply);
  runner.RunFunction(answer.run);
  runner.ReleaseFunction(answer.run);
  return reply;
}

}  // namespace corvan
