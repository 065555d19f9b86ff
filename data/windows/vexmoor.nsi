; The Windows installer of Vexmoor, made by `scripts/package windows` with
; NSIS (makensis), which defines:
;   VERSION  the program's version (1.2.3)
;   FILES    an include file with the macros InstallFiles and RemoveFiles:
;            every file of the program (vexmoor.exe, the Qt libraries and
;            plugins it loads), written by the package script
;   ICON     the program's .ico file
;   OUTFILE  the installer to write
;
; It installs for all users under Program Files, adds a Start menu folder
; with Vexmoor and "Play Last Game", and an uninstaller in Windows' list of
; programs. The uninstaller removes exactly the files installed: the player's
; settings (c:\vexmoor.ini), game setups and earlier versions, which live
; elsewhere, and anything else found in the program's folder stay.
; `installer.exe /S` installs and `uninstall.exe /S` uninstalls without asking.

; A 64-bit installer for a 64-bit program: it also runs under a Wine that
; runs no 32-bit programs.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include ${FILES}

!define APP "Vexmoor"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vexmoor"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${APP} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${APP}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${APP} ${VERSION} installer"
VIAddVersionKey /LANG=1033 "CompanyName" "The Vexmoor developers"
VIAddVersionKey /LANG=1033 "LegalCopyright" "The Vexmoor developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Vexmoor"
  !insertmacro InstallFiles
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${APP}"
  CreateShortcut "$SMPROGRAMS\${APP}\${APP}.lnk" "$INSTDIR\vexmoor.exe"
  ; The last game as it was launched, started at once.
  CreateShortcut "$SMPROGRAMS\${APP}\Play Last Game.lnk" "$INSTDIR\vexmoor.exe" \
    '--setup "Last game" --launch' "$INSTDIR\vexmoor.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Vexmoor developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vexmoor.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize 0 $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${APP}\${APP}.lnk"
  Delete "$SMPROGRAMS\${APP}\Play Last Game.lnk"
  RMDir "$SMPROGRAMS\${APP}"
  !insertmacro RemoveFiles
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: whatever else is in the folder is not ours to remove.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
