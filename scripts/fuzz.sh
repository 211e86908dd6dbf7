#!/usr/bin/env bash
# Builds the report decoder's fuzz target with clang and runs it for a fixed time.
# Usage: scripts/fuzz.sh [seconds]   (default 20)
set -euo pipefail

seconds="${1:-20}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${root}/build/fuzz"
mkdir -p "${out}"

clang++ -std=c++20 -O1 -g -Wall -Wextra -fsanitize=fuzzer,address,undefined \
  -fno-sanitize-recover=undefined -I"${root}/src" \
  "${root}/fuzz/report_decoder_fuzz.cpp" "${root}/src/device/report_decoder.cpp" \
  -o "${out}/report_decoder_fuzz"

# The run adds inputs to its corpus; the committed seeds stay as they are.
corpus="${out}/corpus-decoder"
rm -rf "${corpus}"
cp -r "${root}/fuzz/corpus/decoder" "${corpus}"

log="${out}/report_decoder_fuzz.log"
start=$(date +%s)
"${out}/report_decoder_fuzz" -max_total_time="${seconds}" -print_final_stats=1 \
  -max_len=128 "${corpus}" >"${log}" 2>&1 || { tail -40 "${log}"; exit 1; }
end=$(date +%s)

grep -E '^stat::number_of_executed_units|^stat::average_exec_per_sec' "${log}"
grep -E '#[0-9]+[[:space:]]+DONE' "${log}" | tail -1 || true
echo "ran $((end - start)) s; corpus ${corpus}: $(ls "${corpus}" | wc -l) files"
