#include "mainwindow/hook_watch.h"

namespace corvan {

bool HookWatch::OnRawMouse(uint32_t hookEventsSeen) {
  if (hookEventsSeen != lastSeen_) {
    Reset(hookEventsSeen);
    return false;
  }
  if (++unseen_ < kUnseenBeforeLost) return false;
  unseen_ = 0;
  return true;
}

void HookWatch::Reset(uint32_t hookEventsSeen) {
  lastSeen_ = hookEventsSeen;
  unseen_ = 0;
}

}  // namespace corvan
