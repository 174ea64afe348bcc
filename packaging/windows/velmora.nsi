; The Windows installer: velmora.exe and its lane pictures into Program Files, a
; Start-menu shortcut that starts the program in its own folder (where it finds dris\),
; and an uninstaller registered with Windows. "/S" installs without asking.
;   makensis -DEXE=<velmora.exe> -DPICTURES=<dris folder> -DOUTFILE=<setup.exe> velmora.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define VERSION "1.0"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora"

Name "Velmora ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Velmora"
RequestExecutionLevel admin
ShowInstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Velmora"
  SetShellVarContext all
  SetRegView 64
  SetOutPath "$INSTDIR\dris"
  File "${PICTURES}\*.jpg"
  ; The shortcut's working folder is the current output folder: the install folder.
  SetOutPath "$INSTDIR"
  File "${EXE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateDirectory "$SMPROGRAMS\Velmora"
  CreateShortcut "$SMPROGRAMS\Velmora\Velmora.lnk" "$INSTDIR\velmora.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Velmora ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Velmora developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velmora.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  SetRegView 64
  Delete "$SMPROGRAMS\Velmora\Velmora.lnk"
  RMDir "$SMPROGRAMS\Velmora"
  ; Only what the installer put there: a teacher's own pictures in dris\ stay.
  Delete "$INSTDIR\dris\*.jpg"
  RMDir "$INSTDIR\dris"
  Delete "$INSTDIR\velmora.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
