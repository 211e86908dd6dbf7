// Runs N mouse events through the low-level mouse hook's decision path, for counting
// instructions under callgrind. The mix is what a hook sees all day: mostly moves, some
// clicks and wheel notches, a few tilt notches. Usage: mouse_hook_callgrind_driver N [board]

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "mainwindow/mouse_hook_rules.h"

namespace {

constexpr uint32_t kMove = 0x0200;
constexpr uint32_t kLeftDown = 0x0201;
constexpr uint32_t kLeftUp = 0x0202;

uint32_t Wheel(int16_t delta) { return static_cast<uint32_t>(static_cast<uint16_t>(delta)) << 16; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const long count = std::strtol(argv[1], nullptr, 10);
  std::atomic<bool> boardShown{argc > 2 && std::strcmp(argv[2], "board") == 0};
  std::atomic<int32_t> boardMode{4};
  std::atomic<int32_t> spotlight{400};
  std::atomic<int32_t> tilt{0};
  std::atomic<uint32_t> seen{0};
  corvan::MouseHookShared shared{boardShown, boardMode, spotlight, tilt, seen};

  const std::array<corvan::MouseHookEvent, 16> mix = {{
      {0, kMove, 0}, {0, kMove, 0}, {0, kMove, 0}, {0, kMove, 0}, {0, kMove, 0}, {0, kMove, 0},
      {0, kMove, 0}, {0, kMove, 0}, {0, kMove, 0}, {0, kLeftDown, 0}, {0, kLeftUp, 0},
      {0, corvan::kMessageMouseWheel, Wheel(120)}, {0, corvan::kMessageMouseWheel, Wheel(-120)},
      {0, corvan::kMessageMouseHWheel, Wheel(120)}, {0, corvan::kMessageMouseHWheel, Wheel(-120)},
      {1, kMove, 0},
  }};
  unsigned swallowed = 0;
  size_t next = 0;
  for (long i = 0; i < count; ++i) {
    const corvan::MouseHookOutcome outcome = corvan::ApplyMouseHook(mix[next], shared);
    swallowed += outcome.verdict == corvan::HookVerdict::Swallow;
    next = (next + 1) % mix.size();
  }
  std::printf("%u %d %d\n", swallowed, tilt.load(), spotlight.load());
  return 0;
}
