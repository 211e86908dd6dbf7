# shellcheck shell=bash disable=SC2034
# Sourced by the fuzzing scripts: the fuzz targets, what each is built from, and how.
# fuzz_target_names lists them; fuzz_target_corpus, fuzz_target_max_len and fuzz_target_sources
# describe one; build_fuzz_target builds one with libFuzzer into the folder it is given, with any
# further compiler options after it.

fuzz_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

fuzz_target_names=(report_decoder_fuzz language_file_fuzz language_values_fuzz run_server_fuzz settings_load_fuzz)

fuzz_target_corpus() {
  case $1 in
    report_decoder_fuzz) echo decoder ;;
    language_file_fuzz) echo language ;;
    language_values_fuzz) echo language_values ;;
    run_server_fuzz) echo run_server ;;
    settings_load_fuzz) echo settings_load ;;
  esac
}

fuzz_target_max_len() {
  case $1 in
    report_decoder_fuzz) echo 128 ;;
    run_server_fuzz) echo 2100 ;;  # a name of 1000 units and its terminator, with a renamed label
    *) echo 4096 ;;
  esac
}

# The files of the program a target exercises, besides its own source; the line coverage report
# is made of these.
fuzz_target_sources() {
  local s="${fuzz_root}/src"
  case $1 in
    report_decoder_fuzz) echo "$s/device/report_decoder.cpp" ;;
    language_file_fuzz) echo "$s/config/language_file.cpp $s/config/function_labels.cpp" ;;
    language_values_fuzz) echo "$s/config/language_file.cpp $s/config/function_labels.cpp" ;;
    run_server_fuzz)
      echo "$s/app/run_server.cpp $s/app/run_request.cpp $s/config/function_names.cpp $s/config/catalogue.cpp" \
        "$s/config/function_labels.cpp" ;;
    settings_load_fuzz)
      echo "$s/config/settings.cpp $s/config/assignments.cpp $s/config/registry_value.cpp" \
        "$s/config/catalogue.cpp $s/config/function_labels.cpp" ;;
  esac
}

# The tests' profile reader plays the platform's for the language file target.
fuzz_target_support() {
  case $1 in
    language_file_fuzz) echo "${fuzz_root}/tests/support/profile_text.cpp" ;;
  esac
}

# build_fuzz_target name out-folder [compiler options...]
build_fuzz_target() {
  local name=$1 out=$2
  shift 2
  # shellcheck disable=SC2046
  clang++ -std=c++20 -O1 -g -Wall -Wextra -Werror -I"${fuzz_root}/src" -I"${fuzz_root}/tests/support" "$@" \
    "${fuzz_root}/fuzz/${name}.cpp" $(fuzz_target_sources "$name") $(fuzz_target_support "$name") \
    -o "${out}/${name}"
}
