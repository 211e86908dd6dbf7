#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a fixed time: the report decoder and the
# localisation pass over language files read as the platform reads them for the first time given,
# the others (language values as the reader answers them, the /run server, the settings load) for
# the second.
# Usage: scripts/fuzz.sh [seconds for the first two] [seconds for the others]   (default 20, 10)
set -euo pipefail

seconds="${1:-20}"
other_seconds="${2:-$(( (seconds + 1) / 2 ))}"
# shellcheck source=scripts/fuzz-targets.sh
source "$(dirname "${BASH_SOURCE[0]}")/fuzz-targets.sh"
out="${fuzz_root}/build/fuzz"
mkdir -p "${out}"

fuzz_target() {
  local name=$1 time=$2 corpus_name max_len
  corpus_name=$(fuzz_target_corpus "$name")
  max_len=$(fuzz_target_max_len "$name")
  build_fuzz_target "$name" "$out" -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined

  # The run adds inputs to its corpus; the committed seeds stay as they are.
  local corpus="${out}/corpus-${corpus_name}"
  rm -rf "${corpus}"
  cp -r "${fuzz_root}/fuzz/corpus/${corpus_name}" "${corpus}"

  local log="${out}/${name}.log" start end
  start=$(date +%s)
  "${out}/${name}" -max_total_time="${time}" -print_final_stats=1 \
    -max_len="${max_len}" -artifact_prefix="${out}/${name}-" "${corpus}" >"${log}" 2>&1 || { tail -40 "${log}"; exit 1; }
  end=$(date +%s)

  echo "${name}:"
  grep -E '^stat::number_of_executed_units|^stat::average_exec_per_sec' "${log}"
  grep -E '#[0-9]+[[:space:]]+DONE' "${log}" | tail -1 || true
  echo "ran $((end - start)) s; corpus ${corpus}: $(ls "${corpus}" | wc -l) files"
}

fuzz_target report_decoder_fuzz "$seconds"
fuzz_target language_file_fuzz "$seconds"
fuzz_target language_values_fuzz "$other_seconds"
fuzz_target run_server_fuzz "$other_seconds"
fuzz_target settings_load_fuzz "$other_seconds"
