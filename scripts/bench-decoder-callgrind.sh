#!/usr/bin/env bash
# Instructions per report of the vendor report decoder, counted by callgrind.
# Runs a small driver with N and 2N reports of the benchmark mix and divides the
# difference by N, so start-up and the mix set-up cancel out; the same for a loop that
# only reads the leading bytes. A third run counts only inside DecodeVendorReport (sink calls
# included). Usage: scripts/bench-decoder-callgrind.sh [N]   (default 120000)
set -euo pipefail

n="${1:-120000}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${root}/build/callgrind"
mkdir -p "${out}"
driver="${out}/report_decoder_callgrind_driver"

g++ -std=c++20 -O2 -DNDEBUG -Wall -Wextra -I"${root}/src" \
  "${root}/bench/report_decoder_callgrind_driver.cpp" "${root}/src/device/report_decoder.cpp" \
  -o "${driver}"

# Total instructions of one run: mode, count, extra valgrind options.
instructions() {
  local file="${out}/callgrind.$1.$2.out"
  valgrind --tool=callgrind --callgrind-out-file="${file}" "${@:3}" "${driver}" "$1" "$2" \
    >/dev/null 2>&1
  grep -E '^(summary|totals):' "${file}" | head -1 | awk '{print $2}'
}

per_report() {  # mode
  local one two
  one=$(instructions "$1" "${n}")
  two=$(instructions "$1" $((2 * n)))
  echo "scale=2; (${two} - ${one}) / ${n}" | bc
}

decode=$(per_report decode)
read_only=$(per_report read)
inside=$(instructions decode "${n}" --collect-atstart=no \
  --toggle-collect='corvan::DecodeVendorReport*')

echo "reports per run:                    ${n} and $((2 * n))"
echo "instructions per report, decoding:  ${decode}  (driver loop included)"
echo "instructions per report, read only: ${read_only}  (same loop, d0..d2 summed)"
echo "instructions per report, inside the decoder: $(echo "scale=2; ${inside} / ${n}" | bc)"
