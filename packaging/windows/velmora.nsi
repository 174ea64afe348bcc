; The Windows installer, in Russian and English: velmora.exe, its lane pictures and its
; licences into Program Files, a Start-menu shortcut that starts the program in its own
; folder (where it finds dris\), an optional desktop shortcut, and an uninstaller
; registered with Windows. "/S" installs without asking.
;   makensis -DEXE=<velmora.exe> -DPICTURES=<dris folder> -DPICTURE_LIST=<pictures.nsh>
;            -DLICENSE_FILE=<LICENSE> -DNOTICES_FILE=<THIRD-PARTY-NOTICES>
;            -DLICENCE_PAGE=<both, one text> -DICON=<velmora.ico> -DOUTFILE=<setup.exe> velmora.nsi
;
; A teacher's files are never ours: the uninstaller removes only the files this installer
; wrote, and a picture of ours that the teacher changed (its size or time differs from what
; was recorded when it was installed) stays, on an upgrade as on an uninstall.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include WinVer.nsh
!include "${PICTURE_LIST}"

!define VERSION "1.0"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora"
; Each installed picture's "size high-time low-time", and the folder they were written to.
!define PICTURES_KEY "Software\Velmora\Installed pictures"
; The program holds this mutex while it runs (toolkit/Platform.cpp).
!define RUNNING_MUTEX "Global\VelmoraRunning"
; Qt 6 runs on 64-bit Windows 10 version 1809 (build 17763) and later.
!define OLDEST_BUILD 17763

Name "Velmora ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Velmora"
; A reinstall or an upgrade goes where the last one went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show
BrandingText "Velmora ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
; The uninstaller speaks the language the installer was run in.
!define MUI_LANGDLL_REGISTRY_ROOT HKLM
!define MUI_LANGDLL_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "Installer Language"
; Asked before a language is chosen, so in both; every language listed, whatever the
; codepage of Windows (the installer is Unicode).
!define MUI_LANGDLL_ALLLANGUAGES
!define MUI_LANGDLL_WINDOWTITLE "Language / Язык"
!define MUI_LANGDLL_INFO "Please select a language.$\r$\nВыберите язык."

!insertmacro MUI_PAGE_WELCOME
; The GPL asks for no acceptance: the page informs, "Next" goes on.
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "$(LicenceNote)"
!insertmacro MUI_PAGE_LICENSE "${LICENCE_PAGE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(StartNow)"
!define MUI_FINISHPAGE_RUN_FUNCTION StartVelmora
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; English first: the language of a Windows that speaks neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_RESERVEFILE_LANGDLL

LangString NeedsWindows ${LANG_ENGLISH} "Velmora needs 64-bit Windows 10 version 1809 or later, or Windows 11."
LangString NeedsWindows ${LANG_RUSSIAN} "Для Velmora нужна 64-разрядная Windows 10 версии 1809 или новее либо Windows 11."
LangString StillRunning ${LANG_ENGLISH} "Velmora is running. Close Velmora, then press Retry.$\r$\n$\r$\nCancel leaves the installed Velmora as it is."
LangString StillRunning ${LANG_RUSSIAN} "Velmora запущена. Закройте Velmora и нажмите «Повтор».$\r$\n$\r$\n«Отмена» оставит установленную Velmora как есть."
LangString NothingChanged ${LANG_ENGLISH} "Velmora is still running: nothing was changed."
LangString NothingChanged ${LANG_RUSSIAN} "Velmora всё ещё запущена: ничего не изменено."
LangString KeptPicture ${LANG_ENGLISH} "Kept the teacher's picture: dris\$R0"
LangString KeptPicture ${LANG_RUSSIAN} "Оставлен рисунок учителя: dris\$R0"
LangString ProgramSection ${LANG_ENGLISH} "Velmora"
LangString ProgramSection ${LANG_RUSSIAN} "Velmora"
LangString ProgramAbout ${LANG_ENGLISH} "The program, its pictures and its licences."
LangString ProgramAbout ${LANG_RUSSIAN} "Программа, её рисунки и лицензии."
LangString DesktopSection ${LANG_ENGLISH} "Desktop shortcut"
LangString DesktopSection ${LANG_RUSSIAN} "Ярлык на рабочем столе"
LangString DesktopAbout ${LANG_ENGLISH} "A Velmora shortcut on every user's desktop."
LangString DesktopAbout ${LANG_RUSSIAN} "Ярлык Velmora на рабочем столе каждого пользователя."
LangString LicenceNote ${LANG_ENGLISH} "Velmora is free software under the GNU GPL 3 or later; the notices of the libraries it contains follow the licence. Nothing here needs accepting to use the program."
LangString LicenceNote ${LANG_RUSSIAN} "Velmora — свободная программа под лицензией GNU GPL 3 или более поздней; за лицензией следуют уведомления о входящих в неё библиотеках. Для работы с программой ничего принимать не нужно."
LangString StartNow ${LANG_ENGLISH} "Start Velmora now"
LangString StartNow ${LANG_RUSSIAN} "Запустить Velmora сейчас"

; Asks, while the program runs, for it to be closed; Cancel ends the install or the
; uninstall before anything is changed.
!macro CloseRunningVelmora UN
Function ${UN}CloseRunningVelmora
  ${Do}
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_MUTEX}") p .r0'
    ${If} $0 == 0
      ${Break}
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY +3
    DetailPrint "$(NothingChanged)"
    Abort
  ${Loop}
FunctionEnd
!macroend
!insertmacro CloseRunningVelmora ""
!insertmacro CloseRunningVelmora "un."

; $R2 = "size high-time low-time" of the file $R1, or "" when there is none.
!macro Fingerprint UN
Function ${UN}Fingerprint
  StrCpy $R2 ""
  ClearErrors
  GetFileTime "$R1" $R3 $R4
  ${IfNot} ${Errors}
    FileOpen $R5 "$R1" r
    FileSeek $R5 0 END $R6
    FileClose $R5
    StrCpy $R2 "$R6 $R3 $R4"
  ${EndIf}
FunctionEnd
!macroend
!insertmacro Fingerprint ""
!insertmacro Fingerprint "un."

; $R7 = 1 when dris\$R0 may be written: it is not there, or it is the copy installed last
; time, unchanged. A teacher's picture stays, and its record goes.
Function PictureIsOurs
  StrCpy $R1 "$INSTDIR\dris\$R0"
  StrCpy $R7 1
  ${If} ${FileExists} "$R1"
    Call Fingerprint
    ReadRegStr $R8 HKLM "${PICTURES_KEY}" "$R0"
    ${If} $R8 != $R2
      StrCpy $R7 0
      DeleteRegValue HKLM "${PICTURES_KEY}" "$R0"
      DetailPrint "$(KeptPicture)"
    ${EndIf}
  ${EndIf}
FunctionEnd

!macro InstallPicture NAME
  StrCpy $R0 "${NAME}"
  Call PictureIsOurs
  ${If} $R7 == 1
    File "${PICTURES}\${NAME}"
    StrCpy $R1 "$INSTDIR\dris\${NAME}"
    Call Fingerprint
    WriteRegStr HKLM "${PICTURES_KEY}" "${NAME}" "$R2"
  ${EndIf}
!macroend

; Removes dris\$R0 if it is the copy the installer wrote, unchanged.
Function un.RemovePicture
  StrCpy $R1 "$INSTDIR\dris\$R0"
  ${If} ${FileExists} "$R1"
    Call un.Fingerprint
    ReadRegStr $R8 HKLM "${PICTURES_KEY}" "$R0"
    ${If} $R8 == $R2
      Delete "$R1"
    ${Else}
      DetailPrint "$(KeptPicture)"
    ${EndIf}
  ${EndIf}
FunctionEnd

!macro RemovePicture NAME
  StrCpy $R0 "${NAME}"
  Call un.RemovePicture
!macroend

; $0 = 1 on a Windows too old for Qt 6. Wine runs the program whatever Windows it reports,
; and the Windows 7 SP1 (build 7601) that Wine 8 reports unless told otherwise says nothing
; of what it provides; any other old Windows it is set to report (winecfg) is refused.
Function IsWindowsTooOld
  StrCpy $0 0
  ${IfNot} ${AtLeastBuild} ${OLDEST_BUILD}
    StrCpy $0 1
    System::Call 'kernel32::GetModuleHandleW(w "ntdll.dll") p .r1'
    System::Call 'kernel32::GetProcAddress(p r1, m "wine_get_version") p .r2'
    ${WinVerGetBuild} $3
    ${If} $2 != 0
    ${AndIf} $3 == 7601
      StrCpy $0 0
    ${EndIf}
  ${EndIf}
FunctionEnd

Function .onInit
  SetShellVarContext all
  SetRegView 64
  Call IsWindowsTooOld
  ${If} $0 == 1
    MessageBox MB_OK|MB_ICONSTOP "$(NeedsWindows)" /SD IDOK
    Abort
  ${EndIf}
  ; A Russian Windows gets the Russian installer; any other is asked, once.
  ${If} $LANGUAGE != ${LANG_RUSSIAN}
    !insertmacro MUI_LANGDLL_DISPLAY
  ${EndIf}
FunctionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 64
  !insertmacro MUI_UNGETLANGUAGE
FunctionEnd

Function StartVelmora
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\velmora.exe"'
FunctionEnd

Section "$(ProgramSection)" SecProgram
  SectionIn RO
  Call CloseRunningVelmora
  SetOutPath "$INSTDIR"
  File "${EXE}"
  File "/oname=LICENSE.txt" "${LICENSE_FILE}"
  File "/oname=THIRD-PARTY-NOTICES.txt" "${NOTICES_FILE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The records of the pictures in another folder say nothing about this one's.
  ReadRegStr $0 HKLM "${PICTURES_KEY}" "Folder"
  ${If} $0 != $INSTDIR
    DeleteRegKey HKLM "${PICTURES_KEY}"
  ${EndIf}
  WriteRegStr HKLM "${PICTURES_KEY}" "Folder" "$INSTDIR"
  SetOutPath "$INSTDIR\dris"
  !insertmacro ForEachPicture InstallPicture

  ; The shortcut's working folder is the current output folder: the install folder.
  SetOutPath "$INSTDIR"
  CreateDirectory "$SMPROGRAMS\Velmora"
  CreateShortcut "$SMPROGRAMS\Velmora\Velmora.lnk" "$INSTDIR\velmora.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Velmora ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Velmora developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velmora.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Installer Language" "$LANGUAGE"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecProgram} $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "$(DesktopSection)" SecDesktop
  SetOutPath "$INSTDIR"
  CreateShortcut "$DESKTOP\Velmora.lnk" "$INSTDIR\velmora.exe"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "$(ProgramAbout)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "$(DesktopAbout)"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  Call un.CloseRunningVelmora
  Delete "$SMPROGRAMS\Velmora\Velmora.lnk"
  RMDir "$SMPROGRAMS\Velmora"
  Delete "$DESKTOP\Velmora.lnk"
  ; Only the pictures the installer wrote, unchanged: a teacher's own stay, and so dris\.
  !insertmacro ForEachPicture RemovePicture
  RMDir "$INSTDIR\dris"
  Delete "$INSTDIR\velmora.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\THIRD-PARTY-NOTICES.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${PICTURES_KEY}"
  DeleteRegKey /ifempty HKLM "Software\Velmora"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
