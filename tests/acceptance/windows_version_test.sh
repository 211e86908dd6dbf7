#!/usr/bin/env bash
# The catalogue depends on the system version: 31 functions on 6.1, 28 on 6.2 and later.
source "$(dirname "$0")/lib.sh"
tests=$(dirname "$PROGRAM")/tests/win32/win32_tests.exe
key='HKCU\Software\Wine\AppDefaults\win32_tests.exe'

for row in "win7 0" "win8 1" "win10 1"; do
  read -r version expected <<<"$row"
  wine reg add "$key" /v Version /d "$version" /f >/dev/null 2>&1 </dev/null
  CORVAN_EXPECT_WINDOWS62=$expected timeout 60 wine "$tests" --gtest_filter='WindowsVersion.*' >/tmp/corvan-version.$$ 2>&1 </dev/null ||
    { cat /tmp/corvan-version.$$; rm -f /tmp/corvan-version.$$; fail "Wine reporting $version"; }
  grep -q '\[  PASSED  \] 1 test' /tmp/corvan-version.$$ || { cat /tmp/corvan-version.$$; fail "not run for $version"; }
done
rm -f /tmp/corvan-version.$$
wine reg delete "$key" /f >/dev/null 2>&1 </dev/null
echo PASS
