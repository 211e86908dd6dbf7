#!/usr/bin/env bash
# A long fuzzing campaign: the report decoder for 100 million executions, the localisation pass
# over the profile reader's values for 10 million, the other targets for a number of their own.
# Each target starts from its committed corpus and reports executions, time, executions per
# second, findings (any crash or failed check fails the campaign) and coverage: libFuzzer's final
# cov/ft figures, and the line coverage of the program's files it exercises, measured by replaying
# the corpus it ended with through a build instrumented for coverage.
# Usage: scripts/fuzz-campaign.sh [executions for the other targets]   (default 2000000)
# FUZZ_JOBS (default 1) runs that many fuzzing processes per target, each its share of the runs.
set -euo pipefail

other_runs="${1:-2000000}"
jobs="${FUZZ_JOBS:-1}"
# shellcheck source=scripts/fuzz-targets.sh
source "$(dirname "${BASH_SOURCE[0]}")/fuzz-targets.sh"
out="${fuzz_root}/build/fuzz-campaign"
rm -rf "${out}"
mkdir -p "${out}"

runs_for() {
  case $1 in
    report_decoder_fuzz) echo 100000000 ;;
    language_values_fuzz) echo 10000000 ;;
    *) echo "${other_runs}" ;;
  esac
}

# The decoder is fast enough to fuzz under the address sanitizer for the whole campaign; under it
# the others run at a few thousand executions a second, so they run with the undefined-behaviour
# sanitizer only. Every build replays the committed corpora under both as tests.
sanitizers_for() {
  case $1 in
    report_decoder_fuzz) echo fuzzer,address,undefined ;;
    *) echo fuzzer,undefined ;;
  esac
}

campaign_target() {
  local name=$1 runs corpus log start end status=0
  runs=$(runs_for "$name")
  corpus="${out}/corpus-${name}"
  log="${out}/${name}.log"
  build_fuzz_target "$name" "$out" -O2 -fsanitize="$(sanitizers_for "$name")" -fno-sanitize-recover=undefined
  cp -r "${fuzz_root}/fuzz/corpus/$(fuzz_target_corpus "$name")" "${corpus}"

  start=$(date +%s)
  if [ "$jobs" -gt 1 ]; then
    (cd "$out" && "./${name}" -runs=$((runs / jobs)) -jobs="$jobs" -workers="$jobs" -print_final_stats=1 \
      -max_len="$(fuzz_target_max_len "$name")" -artifact_prefix="${out}/${name}-" "${corpus}" >"${log}" 2>&1) ||
      status=$?
    # The first process copies each job's output into its own as the job ends.
    rm -f "${out}"/fuzz-*.log
  else
    "${out}/${name}" -runs="$runs" -print_final_stats=1 -max_len="$(fuzz_target_max_len "$name")" \
      -artifact_prefix="${out}/${name}-" "${corpus}" >"${log}" 2>&1 || status=$?
  fi
  end=$(date +%s)

  local executed seconds=$((end - start)) findings final
  executed=$(grep -E '^stat::number_of_executed_units' "${log}" | awk '{ sum += $2 } END { print sum + 0 }')
  findings=$(find "${out}" -maxdepth 1 -name "${name}-*" | wc -l)
  final=$(grep -E '#[0-9]+[[:space:]]+DONE' "${log}" | tail -1 | grep -oE 'cov: [0-9]+ ft: [0-9]+ corp: [^ ]+' || true)
  echo "== ${name}"
  echo "executions ${executed} in ${seconds} s: $((executed / (seconds > 0 ? seconds : 1))) exec/s"
  echo "findings: ${findings} (exit status ${status})"
  echo "final ${final:-(no final line)}; corpus $(ls "${corpus}" | wc -l) files"
  line_coverage "$name" "$corpus"
  if [ "$status" -ne 0 ] || [ "$findings" -ne 0 ]; then
    tail -40 "${log}"
    return 1
  fi
}

# Replays the corpus through a coverage build and prints llvm-cov's report of the program's files
# the target exercises.
line_coverage() {
  local name=$1 corpus=$2
  local cov="${out}/coverage-${name}"
  mkdir -p "$cov"
  # shellcheck disable=SC2046
  clang++ -std=c++20 -O0 -g -fprofile-instr-generate -fcoverage-mapping -I"${fuzz_root}/src" \
    -I"${fuzz_root}/tests/support" "${fuzz_root}/fuzz/replay_main.cpp" "${fuzz_root}/fuzz/${name}.cpp" \
    $(fuzz_target_sources "$name") $(fuzz_target_support "$name") -o "${cov}/replay"
  LLVM_PROFILE_FILE="${cov}/replay.profraw" "${cov}/replay" "$corpus" >/dev/null
  llvm-profdata merge -sparse "${cov}/replay.profraw" -o "${cov}/replay.profdata"
  # shellcheck disable=SC2046
  llvm-cov report "${cov}/replay" -instr-profile="${cov}/replay.profdata" $(fuzz_target_sources "$name") |
    sed -E "s|${fuzz_root}/||"
}

failed=0
for name in "${fuzz_target_names[@]}"; do
  campaign_target "$name" || failed=1
done
if [ "$failed" -ne 0 ]; then
  echo "campaign: findings above"
  exit 1
fi
echo "campaign: no findings"
