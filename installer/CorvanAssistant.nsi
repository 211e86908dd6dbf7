; The installer: the program in Program Files (a secure folder, so a signed build may ask for
; uiAccess), a Start-menu shortcut, start at logon with /hide, and an entry in the list of
; installed programs. Built by the windows preset:
;   makensis -DPROGRAM=<CorvanAssistant.exe> -DOUTFILE=<setup.exe> -DVERSION=<x.y.z> CorvanAssistant.nsi
; Silent with /S. The uninstaller restores every receiver, and removes the settings unless run
; with /KEEPSETTINGS.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!ifndef VERSION
  !define VERSION "1.0.0"
!endif
!define PRODUCT "Corvan Assistant"
!define EXE "CorvanAssistant.exe"
!define WINDOW_TITLE "Telvo Mirkat Rev1.0"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\CorvanAssistant"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "SOFTWARE\QX A Mouse"

!include "FileFunc.nsh"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\CorvanAssistant"
RequestExecutionLevel admin
ShowInstDetails nevershow
ShowUninstDetails nevershow

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Asks a running copy to close and waits for its window to go, at most ten seconds. $0 is 1 when a
; copy was running.
!macro CloseRunningCopy un
Function ${un}CloseRunningCopy
  StrCpy $0 0
  FindWindow $1 "#32770" "${WINDOW_TITLE}"
  IntCmp $1 0 done
  StrCpy $0 1
  ExecWait '"$INSTDIR\${EXE}" /close'
  StrCpy $2 0
  wait:
    FindWindow $1 "#32770" "${WINDOW_TITLE}"
    IntCmp $1 0 done
    IntOp $2 $2 + 1
    IntCmp $2 40 done
    Sleep 250
    Goto wait
  done:
FunctionEnd
!macroend
!insertmacro CloseRunningCopy ""
!insertmacro CloseRunningCopy "un."

Section "Install"
  SetRegView 64
  SetShellVarContext current
  Call CloseRunningCopy
  SetOutPath "$INSTDIR"
  File "/oname=${EXE}" "${PROGRAM}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\${EXE}"
  WriteRegStr HKCU "${RUN_KEY}" "CorvanAssistant" '"$INSTDIR\${EXE}" /hide'

  ${GetSize} "$INSTDIR" "/S=0K" $3 $4 $5
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Corvan"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $3
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ; An upgrade over a running copy starts the new one; the settings were never touched.
  IntCmp $0 0 +2
    Exec '"$INSTDIR\${EXE}" /hide'
SectionEnd

Section "Uninstall"
  SetRegView 64
  SetShellVarContext current
  ; /restore closes a running copy through its own close sequence, then restores every receiver.
  ExecWait '"$INSTDIR\${EXE}" /restore'
  Call un.CloseRunningCopy

  ; The settings go first, so that once the files are gone the uninstall is over.
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/KEEPSETTINGS" $R1
  IfErrors 0 +2
    DeleteRegKey HKCU "${SETTINGS_KEY}"

  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  DeleteRegValue HKCU "${RUN_KEY}" "CorvanAssistant"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

SectionEnd
