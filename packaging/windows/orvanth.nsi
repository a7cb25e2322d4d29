; The Orvanth setup. Per user by default: both programs and the uninstaller
; in %LOCALAPPDATA%\Programs\Orvanth, no elevation. For all users with
; /ALLUSERS, run as administrator: both programs in the 64-bit System32,
; where Screen Saver Settings lists every saver, the uninstaller in Program
; Files.
; Orvanth becomes the current screen saver; the uninstaller puts the one
; before it back and keeps the settings unless /REMOVESETTINGS is given or
; its box is ticked.
;   makensis -DVERSION=1.0.0 -DDIST=<folder of both programs> -DICON=<.ico>
;            -DOUTFILE=<setup.exe> orvanth.nsi
Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include x64.nsh

!define PUBLISHER "Orvanth developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvanth"
!define DESKTOP_KEY "Control Panel\Desktop"
!define ERROR_ELEVATION_REQUIRED 740

Name "Orvanth ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Orvanth"
BrandingText "Orvanth ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey ProductName "Orvanth"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey FileDescription "Orvanth screen saver setup"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey LegalCopyright "Copyright (C) ${PUBLISHER}"
VIAddVersionKey OriginalFilename "Orvanth-${VERSION}-setup.exe"

; The folder of Orvanth.scr and Orvanth.data: $INSTDIR, or System32.
Var Programs

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$Programs\Orvanth.scr"
!define MUI_FINISHPAGE_RUN_PARAMETERS "/c"
!define MUI_FINISHPAGE_RUN_TEXT "Choose the music now"
!define MUI_FINISHPAGE_RUN_NOTCHECKED

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; 1 for an all-users install: SHCTX is then HKLM and the shell folders are
; the common ones.
Var AllUsers

!macro AllUsersSwitch
  StrCpy $AllUsers 0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/ALLUSERS" $1
  ${IfNot} ${Errors}
    UserInfo::GetAccountType
    Pop $1
    ${If} $1 != "Admin"
      MessageBox MB_ICONSTOP|MB_OK "Installing Orvanth for all users needs an administrator: run this as administrator, or without /ALLUSERS for yourself alone." /SD IDOK
      SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
      Quit
    ${EndIf}
    StrCpy $AllUsers 1
    SetShellVarContext all
  ${EndIf}
!macroend

; After the switch and once $INSTDIR is known. System32 is the real one
; whatever the bitness of the stub; redirection is per thread, and the
; sections run in a thread of their own.
!macro ProgramsFolder
  ${If} $AllUsers = 1
    ${DisableX64FSRedirection}
    StrCpy $Programs $SYSDIR
  ${Else}
    StrCpy $Programs $INSTDIR
  ${EndIf}
!macroend

; The screen saver and the texture folder belong to the user who runs this,
; whichever install it is.
!macro UserContext
  SetShellVarContext current
!macroend
!macro InstallContext
  ${If} $AllUsers = 1
    SetShellVarContext all
  ${EndIf}
!macroend

Function .onInit
  ; /D= wins over both defaults.
  ${If} $INSTDIR == "$LOCALAPPDATA\Programs\Orvanth"
    StrCpy $2 1
  ${Else}
    StrCpy $2 0
  ${EndIf}
  !insertmacro AllUsersSwitch
  ${If} $AllUsers = 1
  ${AndIf} $2 = 1
    StrCpy $INSTDIR "$PROGRAMFILES64\Orvanth"
  ${EndIf}
  !insertmacro ProgramsFolder
FunctionEnd

Section "-Orvanth"
  !insertmacro ProgramsFolder
  SetOutPath "$Programs"
  File "${DIST}/Orvanth.scr"
  File "${DIST}/Orvanth.data"
  SetOutPath "$INSTDIR"
  ${If} $AllUsers = 1
    ; An earlier all-users install kept them here; its settings move along.
    Delete "$INSTDIR\Orvanth.scr"
    Delete "$INSTDIR\Orvanth.data"
    ${IfNot} ${FileExists} "$Programs\Orvanth.ini"
      Rename "$INSTDIR\Orvanth.ini" "$Programs\Orvanth.ini"
    ${EndIf}
  ${EndIf}
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The screen saver in use before the first install, kept across installs
  ; over it; none at all is kept as no value.
  ClearErrors
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} ${Errors}
    ClearErrors
    ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${IfNot} ${Errors}
      WriteRegStr SHCTX "${UNINSTALL_KEY}" "PreviousScreenSaver" $1
    ${EndIf}
  ${EndIf}
  ; The system starts a screen saver by its short (8.3) name.
  GetFullPathName /SHORT $1 "$Programs\Orvanth.scr"
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $1

  ${If} $AllUsers = 1
    StrCpy $0 ' /ALLUSERS'
  ${Else}
    StrCpy $0 ''
  ${EndIf}
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Orvanth"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$Programs\Orvanth.scr,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"$0'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S$0'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ; In bytes, then in KiB: the programs, and what the install folder holds.
  ${GetSize} "$INSTDIR" "/S=0B" $4 $2 $3
  ${If} $AllUsers = 1
    ${GetSize} "$Programs" "/M=Orvanth.scr /S=0B /G=0" $1 $2 $3
    IntOp $4 $4 + $1
    ${GetSize} "$Programs" "/M=Orvanth.data /S=0B /G=0" $1 $2 $3
    IntOp $4 $4 + $1
  ${EndIf}
  IntOp $4 $4 / 1024
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $4
SectionEnd

Section "-un.ScreenSaver"
  !insertmacro ProgramsFolder
  ; Only while Orvanth is still the screen saver: a choice made since stays.
  GetFullPathName /SHORT $1 "$Programs\Orvanth.scr"
  ClearErrors
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} ${Errors}
    StrCpy $0 ""
  ${EndIf}
  ${If} $0 != ""
  ${AndIf} $0 == $1
  ${OrIf} $0 == "$Programs\Orvanth.scr"
    ClearErrors
    ReadRegStr $2 SHCTX "${UNINSTALL_KEY}" "PreviousScreenSaver"
    ${If} ${Errors}
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${Else}
      WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $2
    ${EndIf}
  ${EndIf}
SectionEnd

Section "-un.Programs"
  Delete "$Programs\Orvanth.scr"
  Delete "$Programs\Orvanth.data"
  Delete "$INSTDIR\Uninstall.exe"
  !insertmacro UserContext
  RMDir /r "$LOCALAPPDATA\Orvanth"
  !insertmacro InstallContext
SectionEnd

Section /o "un.Remove the settings (Orvanth.ini)" SEC_SETTINGS
  Delete "$Programs\Orvanth.ini"
  !insertmacro UserContext
  Delete "$APPDATA\Orvanth\Orvanth.ini"
  RMDir "$APPDATA\Orvanth"
  !insertmacro InstallContext
SectionEnd

Section "-un.Entry"
  ; Kept settings keep the folder.
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd

; After the sections: it names one.
Function un.onInit
  !insertmacro AllUsersSwitch
  !insertmacro ProgramsFolder
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SEC_SETTINGS}
  ${EndIf}
FunctionEnd
