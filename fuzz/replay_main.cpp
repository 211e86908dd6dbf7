// Runs a fuzz target over every file of the folders it is given, once each, so that every input a
// fuzzing run ever kept stays a test. Each input is handed over in an allocation of exactly its
// size, as libFuzzer does, so a sanitizer build reports any read past it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  size_t replayed = 0;
  for (int i = 1; i < argc; ++i) {
    for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
      if (!entry.is_regular_file()) continue;
      std::ifstream file(entry.path(), std::ios::binary);
      const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
      const auto exact = std::make_unique<uint8_t[]>(bytes.size());
      std::copy(bytes.begin(), bytes.end(), exact.get());
      LLVMFuzzerTestOneInput(exact.get(), bytes.size());
      ++replayed;
    }
  }
  std::printf("replayed %zu inputs\n", replayed);
  // A corpus that is not there must not pass for one that was replayed.
  return replayed > 0 ? 0 : 1;
}
