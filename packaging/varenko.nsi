; The VARENKO installer: the checkout terminal for a shop's till and, optionally, the
; development shop server with its demo shop. packaging/package.sh (make package)
; builds it from the staged install folder and defines VERSION, VERSION_NUMBERS,
; REVISION, STAGE and OUTFILE.
;
;   varenko-setup-<version>.exe [/S] [/SERVER] [/D=folder]
;
; /S installs without questions, /SERVER adds the shop server, /D= (last, unquoted)
; chooses the folder. An install over an earlier one keeps its folder and, when it
; had one, its shop server.
;
; The terminal keeps its configuration, day logs and pictures in the per-user data
; directory (application data\Nordane\varenkoclient). Installing, upgrading and
; uninstalling never read, write or remove it: a shop's sales logs outlive the program.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VARENKO"
!define START_MENU "$SMPROGRAMS\VARENKO"
; The terminal's main window class: while one exists the program runs and its files are in use.
!define MAIN_WINDOW_CLASS "WNEC"

Name "VARENKO ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\VARENKO"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
; A file that cannot be replaced stops the install (Retry or Cancel): never a half upgrade.
AllowSkipFiles off
BrandingText "VARENKO ${VERSION}"

VIProductVersion "${VERSION_NUMBERS}"
VIAddVersionKey /LANG=1033 "ProductName" "VARENKO"
VIAddVersionKey /LANG=1033 "CompanyName" "Nordane"
VIAddVersionKey /LANG=1033 "FileDescription" "VARENKO checkout terminal setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION} (${REVISION})"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Nordane"

!define MUI_ICON "${__FILEDIR__}/../src/resources/varenko.ico"
!define MUI_UNICON "${__FILEDIR__}/../src/resources/varenko.ico"
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_UNCONFIRMPAGE_TEXT_TOP "VARENKO will be removed from the folder below. The till's configuration, day logs and pictures, kept in each user's own application data, stay where they are."
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The terminal's files in the install folder, named once for installing and removing.
!macro TERMINAL_FILES ACTION
  !insertmacro ${ACTION} "varenko.exe"
  !insertmacro ${ACTION} "letter.bmp"
  !insertmacro ${ACTION} "receipt.bmp"
  !insertmacro ${ACTION} "varenko.htm"
!macroend
!macro INSTALL_FILE NAME
  File "${STAGE}/${NAME}"
!macroend
!macro REMOVE_FILE NAME
  Delete "$INSTDIR\${NAME}"
!macroend

; Files of a running terminal cannot be replaced or removed: ask for it to be closed.
; Silent (/S), or when the answer is Cancel, stop with exit code 3 before touching a file.
!macro CLOSE_RUNNING_TERMINAL UN
Function ${UN}CloseRunningTerminal
  ${Do}
    FindWindow $0 "${MAIN_WINDOW_CLASS}"
    ${If} $0 == 0
      Return
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "VARENKO is running on this computer.$\r$\n$\r$\nClose it (File, Exit), then press Retry." /SD IDCANCEL IDRETRY retry
    DetailPrint "VARENKO is running: nothing was changed."
    SetErrorLevel 3
    Quit
    retry:
  ${Loop}
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_TERMINAL ""
!insertmacro CLOSE_RUNNING_TERMINAL "un."

Section "VARENKO terminal" SecTerminal
  SectionIn RO
  Call CloseRunningTerminal
  SetOutPath "$INSTDIR"
  !insertmacro TERMINAL_FILES INSTALL_FILE
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; For every user of the till. The shortcuts start in the install folder (the output
  ; path), where F1 finds varenko.htm and a first start finds the logos.
  SetShellVarContext all
  CreateDirectory "${START_MENU}"
  CreateShortCut "${START_MENU}\VARENKO.lnk" "$INSTDIR\varenko.exe"
  CreateShortCut "${START_MENU}\VARENKO help.lnk" "$INSTDIR\varenko.htm"
  CreateShortCut "$DESKTOP\VARENKO.lnk" "$INSTDIR\varenko.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "VARENKO checkout terminal"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Nordane"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\varenko.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section /o "Shop server with the demo shop" SecServer
  SetOutPath "$INSTDIR\server"
  File /r "${STAGE}/server/*"
  SetShellVarContext all
  CreateShortCut "${START_MENU}\VARENKO demo shop server.lnk" "$INSTDIR\server\demo-server.cmd"
SectionEnd

Section "-Size"
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecTerminal} "The checkout terminal, its logos and its help page, with Start menu and desktop shortcuts."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecServer} "The development shop server and its demo shop, to try the till without a shop server."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  SetRegView 64
  ${If} ${FileExists} "$INSTDIR\server\shopserver.exe"
    !insertmacro SelectSection ${SecServer}
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/SERVER" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecServer}
  ${EndIf}
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Uninstall"
  Call un.CloseRunningTerminal
  !insertmacro TERMINAL_FILES REMOVE_FILE
  Delete "$INSTDIR\uninstall.exe"
  RMDir /r "$INSTDIR\server"
  RMDir "$INSTDIR"

  SetShellVarContext all
  Delete "${START_MENU}\VARENKO.lnk"
  Delete "${START_MENU}\VARENKO help.lnk"
  Delete "${START_MENU}\VARENKO demo shop server.lnk"
  RMDir "${START_MENU}"
  Delete "$DESKTOP\VARENKO.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
