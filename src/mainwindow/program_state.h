#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "config/assignments.h"
#include "config/catalogue.h"
#include "config/function_labels.h"
#include "config/localised_texts.h"
#include "config/shutting_down.h"

namespace corvan {

inline constexpr int32_t kOverlayHiddenFrame = 24;
inline constexpr int32_t kDefaultSpotlightSize = 400;

// The process-wide state of the resident program. Everything here lives as long as the process;
// values several threads touch are atomics.
struct ProgramState {
  // Every text the language file may replace: captions, hints, order words and labels.
  LocalisedTexts texts;
  Catalogue functionCatalogue;
  // The same catalogue with the built-in English labels: /run takes those names in every language.
  Catalogue englishCatalogue;
  Assignments assignments;
  bool windows62 = false;
  std::wstring programDir;
  // Serialises everything that talks to a receiver.
  std::unique_ptr<std::mutex> pushLock;

  std::atomic<int32_t> startHidden{0};
  std::atomic<int32_t> shuttingDown{kRunning};
  std::atomic<int32_t> tiltAccumulator{0};
  std::atomic<int32_t> animationFrame{kOverlayHiddenFrame};
  std::atomic<int32_t> gestureDirection{0};  // 0 up, 1 down, 2 left, 3 right
  std::atomic<int32_t> spotlightSize{kDefaultSpotlightSize};
  std::atomic<int32_t> boardMode{0};
  // Set while an overview start is under way; the overview clears it.
  std::atomic<int32_t> overviewBusy{0};
};

}  // namespace corvan
