#!/usr/bin/env bash
# The installer installs, upgrades over a running copy and uninstalls cleanly, silently; the
# uninstaller restores every receiver (stand-in hid.dll beside the installed program).
source "$(dirname "$0")/lib.sh"
setup=$(dirname "$PROGRAM")/CorvanAssistant-Setup.exe
[ -f "$setup" ] || fail "no installer was built (makensis missing?)"
install_dir="$WINEPREFIX/drive_c/Program Files/CorvanAssistant"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\CorvanAssistant'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
transcript=$(mktemp)
trap 'cleanup; rm -f "$transcript"; [ -d "$install_dir" ] && rm -rf "$install_dir"' EXIT

installed_program() { [ -f "$install_dir/CorvanAssistant.exe" ] && [ -f "$install_dir/Uninstall.exe" ]; }
shortcut() { find "$WINEPREFIX/drive_c/users" -path '*Start Menu*' -name 'Corvan Assistant.lnk' 2>/dev/null | grep -q .; }
uninstall_entry() { wine reg query "$uninstall_key" /v QuietUninstallString >/dev/null 2>&1 </dev/null; }
logon_entry() { wine reg query "$run_key" /v CorvanAssistant 2>/dev/null </dev/null | grep -q '/hide'; }
nothing_installed() {
  [ ! -f "$install_dir/CorvanAssistant.exe" ] && ! shortcut && ! uninstall_entry && ! logon_entry
}

timeout 120 wine "$setup" /S >/dev/null 2>&1 </dev/null || fail "the silent install failed"
installed_program || fail "the program was not installed"
shortcut || fail "no Start-menu shortcut"
logon_entry || fail "no start at logon with /hide"
uninstall_entry || fail "no entry in the list of installed programs"
wine reg query "$uninstall_key" /v DisplayVersion 2>/dev/null </dev/null | grep -q '1\.0\.0' || fail "no version in the entry"

# The installed program runs; an upgrade over it closes it and starts the new one, settings kept.
PROGRAM="$install_dir/CorvanAssistant.exe"
start_hidden_copy
set_value bt3 12
timeout 120 wine "$setup" /S >/dev/null 2>&1 </dev/null || fail "the upgrade failed"
wait_until 15 ended "$FIRST_PID" || fail "the upgrade left the old copy running"
wait_until 15 window_exists || fail "the upgrade did not start the new copy"
[ "$(reg_value bt3)" = 0xc ] || fail "the upgrade lost the settings"

# The uninstaller closes the copy, sends every receiver the exit sequence and removes everything.
cp "$(dirname "$1")/tests/win32/standin/hid.dll" "$install_dir/"
CORVAN_STANDIN_TRANSCRIPT=$(winepath -w "$transcript" 2>/dev/null) CORVAN_STANDIN_FAMILY=4 \
  WINEDLLOVERRIDES="mscoree,mshtml=;hid=n" timeout 120 wine "$install_dir/Uninstall.exe" /S >/dev/null 2>&1 </dev/null
wait_until 30 nothing_installed || fail "the uninstaller left something behind"
wait_until 10 test ! -e "$install_dir/Uninstall.exe" || fail "the uninstaller left itself"
grep -q 'send-feature 00 07 01 \[9\]' "$transcript" || fail "the uninstaller restored no receiver: $(tr '\n' ';' < "$transcript")"
key_exists && fail "the uninstaller left the settings key"
window_exists && fail "the uninstaller left the program running"

# /KEEPSETTINGS keeps them.
rm -rf "$install_dir"
timeout 120 wine "$setup" /S >/dev/null 2>&1 </dev/null || fail "the second install failed"
set_value bt4 11
timeout 120 wine "$install_dir/Uninstall.exe" /S /KEEPSETTINGS >/dev/null 2>&1 </dev/null
# The settings are dealt with before the files go.
wait_until 30 nothing_installed || fail "the uninstaller with /KEEPSETTINGS left something behind"
[ "$(reg_value bt4)" = 0xb ] || fail "/KEEPSETTINGS did not keep the settings"
echo PASS
