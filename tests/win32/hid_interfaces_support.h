#pragma once

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "device/hid_enumerator.h"

namespace corvan::test {

// Wine's virtual HID devices appear once its device services are up: the interfaces listed
// within the bound, none only when it passed.
inline std::vector<std::u16string> ListHidInterfacesWhenReady(HidEnumerator& enumerator) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  std::vector<std::u16string> paths;
  while ((paths = enumerator.ListInterfacePaths()).empty() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return paths;
}

}  // namespace corvan::test
