#!/usr/bin/env bash
# The optional hook library beside the program: SetHook is called once with the board's window,
# 1, the tag and 13; a library without the export, or none at all, changes nothing else.
source "$(dirname "$0")/lib.sh"
build_dir=$(dirname "$PROGRAM")
libraries=$build_dir/tests/win32

for variant in recorder without_export; do
  dir=$build_dir/hook-library-$variant
  rm -rf "$dir" && mkdir -p "$dir"
  cp "$PROGRAM" "$dir/"
  cp "$libraries/hook_library_$variant.dll" "$dir/QxHOOK.DLL"
  PROGRAM=$dir/CorvanAssistant.exe
  start_resident_copy
  if [ "$variant" = recorder ]; then
    wait_until 10 test -s "$dir/SetHook.log" || fail "SetHook was not called"
    [ "$(tr -d '\r' < "$dir/SetHook.log")" = "window=board enable=1 tag=x24gw option=13" ] ||
      fail "SetHook got: $(cat "$dir/SetHook.log")"
  fi
  run_program /close
  wait_until 15 ended "$FIRST_PID" || fail "the program with the $variant library did not close"
  if [ "$variant" = recorder ]; then
    [ "$(wc -l < "$dir/SetHook.log")" -eq 1 ] || fail "SetHook was called more than once"
  fi
done
echo PASS
