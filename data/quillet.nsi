; The Windows installer: Quillet in Program Files with a Start-menu entry
; and an uninstaller, for every user of the machine. Silent with /S, both
; ways. Uninstalling takes away the files it brought and leaves each user's
; settings (Quillet32.ini and QuilletTools.ini in %APPDATA%\Quillet, or
; beside the program where one was kept there, which then keeps its folder).
; Made by the Windows cross-build (cmake/windows_installer.cmake):
;   makensis -DVERSION=1.0.0 "-DCOPYRIGHT=2026 ..." -DSTAGE=<programs> -DSOURCE=<sources> -DICON=<ico>
;            -DOUTFILE=<setup.exe> quillet.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestSupportedOS all

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillet"

Name "Quillet ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Quillet"
Icon "${ICON}"
UninstallIcon "${ICON}"
BrandingText "Quillet ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Quillet"
VIAddVersionKey /LANG=1033 "CompanyName" "Quillet"
VIAddVersionKey /LANG=1033 "FileDescription" "Quillet ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright ${COPYRIGHT}"

!include "MUI2.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\quillet.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Quillet"
  SetShellVarContext all
  SetRegView 64
  SetOutPath "$INSTDIR"
  File "${STAGE}/quillet.exe"
  File "${STAGE}/quillet-script.exe"
  File "${STAGE}/quillet-schedule.exe"
  SetOutPath "$INSTDIR\examples"
  File "${SOURCE}/examples/feeders.csv"
  File "${SOURCE}/examples/session.script"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Quillet.lnk" "$INSTDIR\quillet.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Quillet"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Quillet"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quillet.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  SetRegView 64
  Delete "$INSTDIR\quillet.exe"
  Delete "$INSTDIR\quillet-script.exe"
  Delete "$INSTDIR\quillet-schedule.exe"
  Delete "$INSTDIR\examples\feeders.csv"
  Delete "$INSTDIR\examples\session.script"
  RMDir "$INSTDIR\examples"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: settings kept beside the program stay, in their folder.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Quillet.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
