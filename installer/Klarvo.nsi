; The Klarvo installer. ANSI, so that it and the uninstaller it writes run on
; Windows 95, 98 and Me. scripts/make-installer.sh builds it from the files in
; dist/ and names what this script needs:
;   DIST             the folder of the release files
;   OUTFILE          the setup program to write
;   ICON             the application icon
;   BACKGROUND_LIST  a script that deletes each picture in the backgrounds folder

Unicode false
SetCompressor /SOLID lzma
; Windows 9x knows no elevation; later systems write Program Files only as
; an administrator.
RequestExecutionLevel admin

!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "Sections.nsh"

!ifndef DIST
  !error "DIST must be defined"
!endif
!ifndef OUTFILE
  !error "OUTFILE must be defined"
!endif
!ifndef ICON
  !error "ICON must be defined"
!endif
!ifndef BACKGROUND_LIST
  !error "BACKGROUND_LIST must be defined"
!endif

!define PRODUCT "Klarvo"
!define VERSION "3.1"
!define PUBLISHER "the Klarvo developers"
; Add/Remove Programs reads this key.
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Klarvo"
; The shell writes the cleaner's start with Windows here (settings/System.h).
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Klarvo"
; The windows the two programs open (link/Messages.h).
!define CLEANER_CLASS "Klarvo ver 3.1"
!define SHELL_CLASS "Tfmshell"
!define WM_CLOSE 0x0010
; How long a program gets to end after it was asked to, in 100 ms steps.
!define CLOSE_STEPS 100

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
Icon "${ICON}"
UninstallIcon "${ICON}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "3.1.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage components
UninstPage instfiles

; Asks the top-level window of CLASS to close and waits until it has gone.
; Posted, not sent: a busy cleaner must not hang the uninstaller.
!macro CloseWindow CLASS
  FindWindow $0 "${CLASS}"
  ${If} $0 <> 0
    DetailPrint "Asking ${CLASS} to end"
    System::Call "user32::PostMessageA(p r0, i ${WM_CLOSE}, p 0, p 0)"
    StrCpy $1 0
    ${Do}
      Sleep 100
      IntOp $1 $1 + 1
      FindWindow $0 "${CLASS}"
      ${If} $0 = 0
      ${OrIf} $1 >= ${CLOSE_STEPS}
        ${ExitDo}
      ${EndIf}
    ${Loop}
  ${EndIf}
!macroend

Section "Klarvo"
  ; Programs held open would not be replaced.
  !insertmacro CloseWindow "${SHELL_CLASS}"
  !insertmacro CloseWindow "${CLEANER_CLASS}"
  SetOutPath "$INSTDIR"
  File "${DIST}/KlarvoShell.exe"
  File "${DIST}/Klarvo.exe"
  File "${DIST}/default.wav"
  SetOutPath "$INSTDIR\backgrounds"
  File "${DIST}/backgrounds/*.*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\KlarvoShell.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\KlarvoShell.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "un.Klarvo" UnProgram
  SectionIn RO
  ; A running cleaner holds its program file and would clean on.
  !insertmacro CloseWindow "${SHELL_CLASS}"
  !insertmacro CloseWindow "${CLEANER_CLASS}"

  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  Delete "$INSTDIR\KlarvoShell.exe"
  Delete "$INSTDIR\Klarvo.exe"
  Delete "$INSTDIR\default.wav"
  ; Only the pictures that came with it: a person's own stay, and with them
  ; the folder.
  !include "${BACKGROUND_LIST}"
  RMDir "$INSTDIR\backgrounds"
  Delete "$INSTDIR\Uninstall.exe"
SectionEnd

Section /o "un.Remove my settings (Conf.dat, ConfStr.dat)" UnSettings
  Delete "$INSTDIR\Conf.dat"
  Delete "$INSTDIR\ConfStr.dat"
SectionEnd

; A silent uninstall shows no page on which to tick the settings' removal;
; "Uninstall.exe /S /REMOVESETTINGS" ticks it.
Function un.onInit
  ${un.GetParameters} $R0
  ClearErrors
  ${un.GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${UnSettings}
  ${EndIf}
FunctionEnd

; Last, so that the settings section has run: the folder goes when empty.
Section "-un.Folder"
  RMDir "$INSTDIR"
SectionEnd
