#pragma once

#include <cstddef>
#include <cstdint>

#include "config/catalogue.h"

namespace corvan {

// What the running copy answers a copied-data block, and what it runs once the answer is sent.
struct RunServerAnswer {
  bool runRequest = false;  // blocks of any other kind, from any process, are left unread
  int64_t reply = 0;
  int32_t run = -1;  // the function to press and release, -1 for none
};

// The running copy's side of /run: a later copy names a function, this one runs it as a press and
// release of a mouse input would. `shown` is the catalogue the program built from its language
// file, `english` the same with the built-in labels, so that English names work in every language;
// both outlive the server and are read at every request.
class RunServer {
 public:
  RunServer(const Catalogue& shown, const Catalogue& english) : shown_(shown), english_(english) {}

  // `busy`: the program cannot run a function now (its tray menu is open, or it is closing).
  RunServerAnswer Answer(uint64_t tag, const void* data, size_t bytes, bool busy) const;

 private:
  const Catalogue& shown_;
  const Catalogue& english_;
};

}  // namespace corvan
