#pragma once

#include "app/run_server.h"
#include "mainwindow/copied_data_handler_win32.h"

namespace corvan {

// The running copy's /run on the main window's thread.
class Win32RunServer final : public CopiedDataHandler {
 public:
  Win32RunServer(const Catalogue& shown, const Catalogue& english) : server_(shown, english) {}
  LRESULT OnCopiedData(const COPYDATASTRUCT& data, bool busy, FunctionRunner& runner) override;

 private:
  RunServer server_;
};

}  // namespace corvan
