; The installer of the K2q mouse software: per user, without administrator rights (the settings
; live under HKEY_CURRENT_USER), into the user's local programs folder. It ships whatever the
; build laid out in dist/; installer/package.cmake lists those files into FILES_INSTALL and
; FILES_UNINSTALL, so the uninstaller removes exactly what was installed and nothing the user
; put beside it.
;
; Defined on the makensis command line:
;   VERSION          the product's version, x.y.z
;   DIST             the laid-out dist/ folder
;   ICON             the program icon
;   OUTFILE          the installer to write
;   FILES_INSTALL    the generated list of File commands
;   FILES_UNINSTALL  the generated list of Delete and RMDir commands
; Silent with /S, for tests and administrators: the defaults below apply (start at sign-in on).

Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WinMessages.nsh"

!define PRODUCT "K2q Gaming Mouse"
!define PUBLISHER "Tavik"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TavikK2q"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "K2q_Mouse"
!define MONITOR_TITLE "TavikK2qGamingMouseMon"
!define MONITOR_MUTEX "TAVIKK2q_K2qMON_MUTEX"
!define CONFIG_MUTEX "TAVIKK2q_CONFIG_MUTEX"
!define STARTMENU "$SMPROGRAMS\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\K2q"
; An upgrade goes where the last installation went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "K2q mouse software"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright ${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_WELCOMEPAGE_TEXT "This installs the K2q mouse software ${VERSION} for you alone; \
it needs no administrator rights.$\r$\n$\r$\nIf the K2q programs are running, they are closed \
first; settings you have not applied in the configuration program are lost.$\r$\n$\r$\n\
$_CLICK"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!if /FileExists "${DIST}/K2q_Config.exe"
    !define MUI_FINISHPAGE_RUN "$INSTDIR\K2q_Config.exe"
    !define MUI_FINISHPAGE_RUN_TEXT "Open the K2q configuration"
!else
    !define MUI_FINISHPAGE_RUN "$INSTDIR\K2q_Mouse.exe"
    !define MUI_FINISHPAGE_RUN_TEXT "Start the K2q mouse monitor"
!endif
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Both programs hold their single-instance mutex until they end, so its presence says whether
; one is still running. Out: $0 "1" when the mutex exists.
!macro K2Q_MUTEX_EXISTS NAME
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${NAME}") p .r0'
    ${If} $0 P<> 0
        System::Call 'kernel32::CloseHandle(p r0)'
        StrCpy $0 1
    ${Else}
        StrCpy $0 0
    ${EndIf}
!macroend

; Asks the running monitor and configuration program to close, as they are closed in normal
; use (WM_CLOSE to their windows), and waits until both have ended, so that their files can be
; replaced or removed. The monitor, when it closes, closes the configuration program too; its
; main dialog is also asked directly, found as an unowned dialog of K2q_Config.exe (its title
; comes from the language file). Out: $R9 "1" when the monitor was running.
!macro K2Q_CLOSE_PROGRAMS UN
Function ${UN}CloseRunningPrograms
    Push $0
    Push $1
    Push $2
    Push $3
    Push $4
    StrCpy $R9 0
    !insertmacro K2Q_MUTEX_EXISTS "${MONITOR_MUTEX}"
    StrCpy $R9 $0
    FindWindow $1 "" "${MONITOR_TITLE}"
    ${If} $1 P<> 0
        System::Call 'user32::PostMessageW(p r1, i ${WM_CLOSE}, p 0, p 0)'
    ${EndIf}
    StrCpy $1 0
    ${Do}
        FindWindow $1 "#32770" "" 0 $1
        ${If} $1 P= 0
            ${Break}
        ${EndIf}
        System::Call 'user32::GetWindow(p r1, i 4) p .r2'  ; GW_OWNER
        ${If} $2 P<> 0
            ${Continue}
        ${EndIf}
        System::Call 'user32::GetWindowThreadProcessId(p r1, *i .r2)'
        ; PROCESS_QUERY_LIMITED_INFORMATION
        System::Call 'kernel32::OpenProcess(i 0x1000, i 0, i r2) p .r3'
        ${If} $3 P<> 0
            System::Call 'kernel32::QueryFullProcessImageNameW(p r3, i 0, w .r4, *i ${NSIS_MAX_STRLEN})'
            System::Call 'kernel32::CloseHandle(p r3)'
            ${GetFileName} $4 $4
            ${If} $4 == "K2q_Config.exe"
                System::Call 'user32::PostMessageW(p r1, i ${WM_CLOSE}, p 0, p 0)'
            ${EndIf}
        ${EndIf}
    ${Loop}

    ; A reload under way holds the monitor for about three seconds before it reads WM_CLOSE.
    ${Do}
        StrCpy $2 0
        ${Do}
            !insertmacro K2Q_MUTEX_EXISTS "${MONITOR_MUTEX}"
            StrCpy $3 $0
            !insertmacro K2Q_MUTEX_EXISTS "${CONFIG_MUTEX}"
            ${If} $0$3 == "00"
                ${Break}
            ${EndIf}
            Sleep 100
            IntOp $2 $2 + 1
        ${LoopUntil} $2 >= 150
        ${If} $0$3 == "00"
            ${Break}
        ${EndIf}
        ${If} ${Silent}
            DetailPrint "The K2q programs did not close."
            SetErrorLevel 2
            Quit
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "The K2q programs are still running. Close them from the tray icon, then choose Retry." \
            IDRETRY retry
        Quit
        retry:
    ${Loop}
    Pop $4
    Pop $3
    Pop $2
    Pop $1
    Pop $0
FunctionEnd
!macroend
!insertmacro K2Q_CLOSE_PROGRAMS ""
!insertmacro K2Q_CLOSE_PROGRAMS "un."

Section "K2q mouse software" SecProgram
    SectionIn RO
    SetShellVarContext current
    Call CloseRunningPrograms
    SetOutPath "$INSTDIR"
    !include "${FILES_INSTALL}"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    CreateDirectory "${STARTMENU}"
    !if /FileExists "${DIST}/K2q_Config.exe"
        CreateShortCut "${STARTMENU}\K2q Configuration.lnk" "$INSTDIR\K2q_Config.exe"
    !endif
    !if /FileExists "${DIST}/help.chm"
        CreateShortCut "${STARTMENU}\K2q Help.lnk" "$INSTDIR\help.chm"
    !endif

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\K2q_Mouse.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The programs register nothing themselves; starting the monitor at sign-in is the installer's.
Section "Start the mouse monitor when I sign in" SecSignIn
    WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\K2q_Mouse.exe"'
SectionEnd

Section "-Restart"
    ; An upgrade leaves the monitor running as it found it, now the new one.
    ${If} $R9 == 1
        Exec '"$INSTDIR\K2q_Mouse.exe"'
    ${EndIf}
SectionEnd

Function .onInit
    ; An upgrade keeps the earlier choice about starting at sign-in.
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
        ClearErrors
        ReadRegStr $1 HKCU "${RUN_KEY}" "${RUN_VALUE}"
        ${If} ${Errors}
            SectionSetFlags ${SecSignIn} 0
        ${EndIf}
    ${EndIf}
FunctionEnd

Function .onInstSuccess
    ${IfNot} ${SectionIsSelected} ${SecSignIn}
        DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${EndIf}
FunctionEnd

Section "un.K2q mouse software" UnSecProgram
    SectionIn RO
    SetShellVarContext current
    Call un.CloseRunningPrograms
    !include "${FILES_UNINSTALL}"
    Delete "$INSTDIR\Uninstall.exe"
    Delete "${STARTMENU}\K2q Configuration.lnk"
    Delete "${STARTMENU}\K2q Help.lnk"
    RMDir "${STARTMENU}"
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

; Off unless the user asks: the settings and the profile files outlive the programs.
Section /o "un.Also remove my mouse settings and saved profiles" UnSecSettings
    DeleteRegKey HKCU "Software\Tavik\K2q"
    DeleteRegKey /ifempty HKCU "Software\Tavik"
    RMDir /r "$DOCUMENTS\Tavik\K2q"
    RMDir "$DOCUMENTS\Tavik"
SectionEnd

; Last, so that a folder gone means an uninstallation done. Files the user put there keep it.
Section "-un.Folder"
    RMDir "$INSTDIR"
SectionEnd
