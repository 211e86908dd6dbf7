// Decodes (or, with "read", only reads) N reports of the mix, for counting instructions
// under callgrind. Usage: report_decoder_callgrind_driver decode|read N

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "decoder_report_mix.h"
#include "device/report_decoder.h"

using corvan::bench::CountingSink;

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const bool decode = std::strcmp(argv[1], "decode") == 0;
  const long count = std::strtol(argv[2], nullptr, 10);
  const auto mix = corvan::bench::DecoderReportMix();

  CountingSink sink;
  volatile uint32_t readTotal = 0;
  size_t next = 0;
  for (long i = 0; i < count; ++i) {
    const auto& report = mix[next];
    next = next + 1 == mix.size() ? 0 : next + 1;
    if (decode) {
      corvan::DecodeVendorReport(report.data(), report.size(), sink);
    } else {
      // The three bytes every layout starts with.
      if (report.size() >= 3) readTotal = readTotal + report[0] + report[1] + report[2];
    }
  }
  std::printf("%u\n", sink.total + readTotal);
  return 0;
}
