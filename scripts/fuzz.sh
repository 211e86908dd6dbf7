#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a fixed time: the report decoder, and the
# localisation pass over language files read as the platform reads them.
# Usage: scripts/fuzz.sh [seconds per target]   (default 20)
set -euo pipefail

seconds="${1:-20}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${root}/build/fuzz"
mkdir -p "${out}"

# name, corpus folder, longest input, sources (and compiler options)
fuzz_target() {
  local name=$1 corpus_name=$2 max_len=$3
  shift 3
  clang++ -std=c++20 -O1 -g -Wall -Wextra -fsanitize=fuzzer,address,undefined \
    -fno-sanitize-recover=undefined -I"${root}/src" "$@" -o "${out}/${name}"

  # The run adds inputs to its corpus; the committed seeds stay as they are.
  local corpus="${out}/corpus-${corpus_name}"
  rm -rf "${corpus}"
  cp -r "${root}/fuzz/corpus/${corpus_name}" "${corpus}"

  local log="${out}/${name}.log" start end
  start=$(date +%s)
  "${out}/${name}" -max_total_time="${seconds}" -print_final_stats=1 \
    -max_len="${max_len}" -artifact_prefix="${out}/${name}-" "${corpus}" >"${log}" 2>&1 || { tail -40 "${log}"; exit 1; }
  end=$(date +%s)

  echo "${name}:"
  grep -E '^stat::number_of_executed_units|^stat::average_exec_per_sec' "${log}"
  grep -E '#[0-9]+[[:space:]]+DONE' "${log}" | tail -1 || true
  echo "ran $((end - start)) s; corpus ${corpus}: $(ls "${corpus}" | wc -l) files"
}

fuzz_target report_decoder_fuzz decoder 128 \
  "${root}/fuzz/report_decoder_fuzz.cpp" "${root}/src/device/report_decoder.cpp"
fuzz_target language_file_fuzz language 4096 -I"${root}/tests/support" \
  "${root}/fuzz/language_file_fuzz.cpp" "${root}/src/config/language_file.cpp" "${root}/src/config/function_labels.cpp" \
  "${root}/tests/support/profile_text.cpp"
