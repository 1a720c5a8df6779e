; quillmate-setup.exe: installs Quillmate for all users, writes its installation values under
; both product keys, starts it at log-on with "-silent" and lists it among the installed
; programs; its uninstaller ends a running copy and removes all of it again.
;
; Command line: /S silent; /LANG=<language id> the program's language (one of the catalogue's);
; /D=<folder> the installation folder (last, unquoted). Exit codes: 0 installed, 1 cancelled,
; 2 a running copy did not end (nothing was changed), 87 an unknown /LANG, 740 the program's
; own start-up rule refuses this system or user.
;
; The build passes: QM_GENERATED_DIR (the generated includes), QM_PROGRAM, QM_UPGRADE_LIBRARY,
; QM_FIRMWARE_DIR, QM_SETUP_PROBE, QM_ICON and QM_OUTPUT.

Unicode true
RequestExecutionLevel admin
SetCompressor /SOLID lzma
; No file times in the setup program: two builds of one commit give the same bytes.
SetDateSave off

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include "${QM_GENERATED_DIR}/setup_config.nsh"
!include "${QM_GENERATED_DIR}/product_names.nsh"

!define QM_TITLE "Norvane Quillmate ${QM_MODEL_NAME}"
!define QM_ARP_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${QM_TITLE}"
!define QM_RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define QM_RUN_VALUE "Norvane Quillmate"
!define QM_SHORTCUT "$SMPROGRAMS\${QM_TITLE}.lnk"
!define EXIT_NOT_ENDED 2
!define EXIT_BAD_OPTION 87
!define EXIT_REFUSED 740

Name "${QM_TITLE}"
OutFile "${QM_OUTPUT}"
!define QM_DEFAULT_FOLDER "$PROGRAMFILES\Norvane\Quillmate"
InstallDir "${QM_DEFAULT_FOLDER}"
InstallDirRegKey HKLM "${PULO5_KEY}" "${VALUE_RUN_PATH}"
BrandingText "${QM_TITLE} ${QM_VERSION_TEXT}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${QM_VERSION_RECORD}"
VIAddVersionKey /LANG=1033 "ProductName" "${QM_PRODUCT_NAME}"
VIAddVersionKey /LANG=1033 "CompanyName" "${QM_PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "Setup of ${QM_TITLE}"
VIAddVersionKey /LANG=1033 "FileVersion" "${QM_VERSION_TEXT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${QM_VERSION_TEXT}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${QM_COPYRIGHT}"

!define MUI_ICON "${QM_ICON}"
!define MUI_UNICON "${QM_ICON}"
!define MUI_ABORTWARNING
; Every catalogue language, whatever the system's code page.
!define MUI_LANGDLL_ALLLANGUAGES
!define MUI_LANGDLL_WINDOWTITLE "${QM_TITLE}"
!define MUI_LANGDLL_INFO "Language / Sprache / Langue / Idioma / Lingua / Taal / Język / Язык"
!define MUI_FINISHPAGE_RUN "$INSTDIR\quillmate.exe"
!define MUI_FINISHPAGE_RUN_PARAMETERS "-silent"

; The long product name takes three lines in the titles of several languages.
!define MUI_WELCOMEPAGE_TITLE_3LINES
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE_3LINES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!include "${QM_GENERATED_DIR}/setup_languages.nsh"

Var languageChosen

; Asks a running copy to remove its tray icon and end, and waits up to ten seconds for its
; single-instance mutex to go away. Interactively the user may retry or cancel; silently the
; run stops with EXIT_NOT_ENDED before anything was changed.
!macro QM_END_RUNNING_COPY un
Function ${un}QmRunningCopyGone
    ; $0 = 1 when no copy holds the mutex (within the wait), else 0.
    System::Call 'user32::RegisterWindowMessageW(w "${DESTROY_TRAY_ICON_MESSAGE_NAME}") i .r1'
    StrCpy $0 0
    StrCpy $2 0
    ${Do}
        System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${QM_INSTANCE_MUTEX}") p .r3'
        ${If} $3 P= 0
            StrCpy $0 1
            ${Break}
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p r3)'
        ${If} $2 = 0
            DetailPrint "$(QM_ENDING_RUNNING_COPY)"
        ${EndIf}
        ; Once a second, in case the copy was still starting and had no window yet.
        IntOp $4 $2 % 10
        ${If} $4 = 0
            System::Call 'user32::SendMessageTimeoutW(p 0xFFFF, i r1, p 0, p 0, i 2, i 1000, *p .r5)'
        ${EndIf}
        IntOp $2 $2 + 1
        ${If} $2 > 100
            ${Break}
        ${EndIf}
        Sleep 100
    ${Loop}
FunctionEnd

Function ${un}QmEndRunningCopy
    ${Do}
        Call ${un}QmRunningCopyGone
        ${If} $0 = 1
            Return
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(QM_STILL_RUNNING)" /SD IDCANCEL IDRETRY retry
        ; Abort from a section stops the run with exit code 2 (EXIT_NOT_ENDED).
        Abort "$(QM_STILL_RUNNING)"
    retry:
    ${Loop}
FunctionEnd
!macroend
!insertmacro QM_END_RUNNING_COPY ""
!insertmacro QM_END_RUNNING_COPY "un."

; The language the program itself would choose now, and whether its start-up rule refuses this
; system or user: the probe program answers with (refusal << 16) | language.
Function QmProbe
    InitPluginsDir
    File "/oname=$PLUGINSDIR\qm_setup_probe.exe" "${QM_SETUP_PROBE}"
    ClearErrors
    ExecWait '"$PLUGINSDIR\qm_setup_probe.exe"' $0
    ${If} ${Errors}
        StrCpy $0 ${QM_DEFAULT_LANGUAGE}
    ${EndIf}
    IntOp $1 $0 >> 16
    IntOp $0 $0 & 0xFFFF
FunctionEnd

Function .onInit
    SetRegView 32
    Call QmProbe
    StrCpy $LANGUAGE $0
    ${If} $1 <> 0
        ${If} $1 = ${MSG_UNSUPPORTED_WINDOWS}
            MessageBox MB_ICONSTOP "$(QM_UNSUPPORTED)" /SD IDOK
        ${Else}
            MessageBox MB_ICONSTOP "$(QM_NEEDS_ADMINISTRATOR)" /SD IDOK
        ${EndIf}
        SetErrorLevel ${EXIT_REFUSED}
        Quit
    ${EndIf}
    ; An installation whose run path was lost is found through its installed-programs entry.
    ReadRegStr $2 HKLM "${PULO5_KEY}" "${VALUE_RUN_PATH}"
    ReadRegStr $3 HKLM "${QM_ARP_KEY}" "InstallLocation"
    ${If} $2 == ""
    ${AndIf} $3 != ""
    ${AndIf} $INSTDIR == "${QM_DEFAULT_FOLDER}"
        StrCpy $INSTDIR $3
    ${EndIf}
    StrCpy $languageChosen 0
    ${GetParameters} $2
    ClearErrors
    ${GetOptions} $2 "/LANG=" $3
    ${IfNot} ${Errors}
        Push $3
        Call QmIsCatalogueLanguage
        Pop $4
        ${If} $4 <> 1
            MessageBox MB_ICONSTOP "/LANG=$3 ?" /SD IDOK
            SetErrorLevel ${EXIT_BAD_OPTION}
            Quit
        ${EndIf}
        StrCpy $LANGUAGE $3
        StrCpy $languageChosen 1
    ${ElseIfNot} ${Silent}
        !insertmacro MUI_LANGDLL_DISPLAY
        StrCpy $languageChosen 1
    ${EndIf}
FunctionEnd

; The values that belong to the installation; written at every install, which also repairs a
; damaged earlier installation.
!macro QM_WRITE_INSTALLATION_VALUES key folder info
    WriteRegStr HKLM "${key}" "${VALUE_RUN_PATH}" "$INSTDIR"
    WriteRegStr HKLM "${key}" "${VALUE_FW_FOLDER}" "${folder}"
    WriteRegStr HKLM "${key}" "${VALUE_FW_INFO}" "${info}"
    WriteRegStr HKLM "${key}" "${VALUE_FW_TYPE}" "${QM_FW_TYPE}"
    WriteRegStr HKLM "${key}" "${VALUE_TOOL_VERSION}" "${QM_TOOL_VERSION_RECORD}"
    WriteRegStr HKLM "${key}" "${VALUE_FW_LINK}" "${QM_CHECK_BASE}/${folder_name}/fw.txt"
    WriteRegStr HKLM "${key}" "${VALUE_FW_LINK_SECONDARY}" "${QM_CHECK_MIRROR_BASE}/${folder_name}/fw.txt"
    WriteRegStr HKLM "${key}" "${VALUE_TOOL_LINK}" "${QM_CHECK_BASE}/quillmate/qm.txt"
    WriteRegStr HKLM "${key}" "${VALUE_TOOL_LINK_SECONDARY}" "${QM_CHECK_MIRROR_BASE}/quillmate/qm.txt"
    WriteRegStr HKLM "${key}" "${VALUE_LAST_CHECK_TIME}" "0"
    WriteRegStr HKLM "${key}" "${VALUE_CHECK_PERIOD}" "${QM_CHECK_PERIOD}"
!macroend

; The user's choices and the program's own records survive an upgrade: automatic checks when
; they read "0" or "1", the downloaded package record while one is recorded. Anything missing or
; unreadable starts as after a first install.
!macro QM_KEEP_OR_RESET key
    ReadRegStr $0 HKLM "${key}" "${VALUE_CHECK_ENABLED}"
    ${If} $0 != "0"
    ${AndIf} $0 != "1"
        WriteRegStr HKLM "${key}" "${VALUE_CHECK_ENABLED}" "1"
    ${EndIf}
    ReadRegStr $0 HKLM "${key}" "${VALUE_PACKAGE_EXISTS}"
    ${If} $0 != "1"
        WriteRegStr HKLM "${key}" "${VALUE_PACKAGE_EXISTS}" "0"
        WriteRegStr HKLM "${key}" "${VALUE_PACKAGE_NAME}" ""
        WriteRegStr HKLM "${key}" "${VALUE_PACKAGE_MAJOR}" "0"
        WriteRegStr HKLM "${key}" "${VALUE_PACKAGE_MID}" "0"
        WriteRegStr HKLM "${key}" "${VALUE_PACKAGE_MINOR}" "0"
    ${EndIf}
    ClearErrors
    ReadRegStr $0 HKLM "${key}" "${VALUE_PACKAGE_INSTALLED}"
    ${If} ${Errors}
        WriteRegStr HKLM "${key}" "${VALUE_PACKAGE_INSTALLED}" "0"
    ${EndIf}
    ClearErrors
    ReadRegStr $0 HKLM "${key}" "${VALUE_PARTIAL_INSTALLED}"
    ${If} ${Errors}
        WriteRegStr HKLM "${key}" "${VALUE_PARTIAL_INSTALLED}" "0"
    ${EndIf}
!macroend

; The language setting: written when chosen on the page or with /LANG, or when none exists yet;
; a silent upgrade keeps what is there. The program reads no setting text for Arabic, so that
; choice is recorded as no setting: the user's default language then decides.
Function QmWriteLanguage
    ClearErrors
    ReadRegStr $0 HKLM "${PULO5_KEY}" "${VALUE_LANGUAGE}"
    ${If} $languageChosen = 0
    ${AndIfNot} ${Errors}
        Return
    ${EndIf}
    ${If} $LANGUAGE = ${LANGUAGE_WITHOUT_SETTING}
        DeleteRegValue HKLM "${PULO5_KEY}" "${VALUE_LANGUAGE}"
        DeleteRegValue HKLM "${PULO4_KEY}" "${VALUE_LANGUAGE}"
    ${Else}
        WriteRegStr HKLM "${PULO5_KEY}" "${VALUE_LANGUAGE}" "$LANGUAGE"
        WriteRegStr HKLM "${PULO4_KEY}" "${VALUE_LANGUAGE}" "$LANGUAGE"
    ${EndIf}
FunctionEnd

Section "Quillmate"
    SetRegView 32
    SetShellVarContext all
    Call QmEndRunningCopy

    SetOutPath "$INSTDIR"
    SetFileAttributes "$INSTDIR\quillmate.exe" NORMAL
    SetFileAttributes "$INSTDIR\NorvaneUpgradeDll.dll" NORMAL
    File "/oname=quillmate.exe" "${QM_PROGRAM}"
    File "/oname=NorvaneUpgradeDll.dll" "${QM_UPGRADE_LIBRARY}"
    SetOutPath "$INSTDIR\Firmware"
    File /r "${QM_FIRMWARE_DIR}/*"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    !define folder_name pulo5
    !insertmacro QM_WRITE_INSTALLATION_VALUES "${PULO5_KEY}" "Firmware\PULO5" "PULO5.ini"
    !undef folder_name
    !define folder_name pulo4
    !insertmacro QM_WRITE_INSTALLATION_VALUES "${PULO4_KEY}" "Firmware\PULO4" "PULO4.ini"
    !undef folder_name
    !insertmacro QM_KEEP_OR_RESET "${PULO5_KEY}"
    !insertmacro QM_KEEP_OR_RESET "${PULO4_KEY}"
    Call QmWriteLanguage

    WriteRegStr HKLM "${QM_RUN_KEY}" "${QM_RUN_VALUE}" '"$INSTDIR\quillmate.exe" -silent'
    CreateShortCut "${QM_SHORTCUT}" "$INSTDIR\quillmate.exe"

    WriteRegStr HKLM "${QM_ARP_KEY}" "DisplayName" "${QM_TITLE}"
    WriteRegStr HKLM "${QM_ARP_KEY}" "DisplayVersion" "${QM_VERSION_TEXT}"
    WriteRegStr HKLM "${QM_ARP_KEY}" "Publisher" "${QM_PUBLISHER}"
    WriteRegStr HKLM "${QM_ARP_KEY}" "DisplayIcon" '"$INSTDIR\quillmate.exe",0'
    WriteRegStr HKLM "${QM_ARP_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${QM_ARP_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${QM_ARP_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegStr HKLM "${QM_ARP_KEY}" "URLInfoAbout" "${QM_SUPPORT_ADDRESS}"
    WriteRegDWORD HKLM "${QM_ARP_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${QM_ARP_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${QM_ARP_KEY}" "EstimatedSize" $0
SectionEnd

; The uninstaller speaks the language the installer recorded, when it recorded one.
Function un.onInit
    SetRegView 32
    ReadRegStr $0 HKLM "${PULO5_KEY}" "${VALUE_LANGUAGE}"
    Push $0
    Call un.QmIsCatalogueLanguage
    Pop $1
    ${If} $1 = 1
        StrCpy $LANGUAGE $0
    ${EndIf}
FunctionEnd

Section "Uninstall"
    SetRegView 32
    Call un.QmEndRunningCopy
    SetShellVarContext all

    DeleteRegValue HKLM "${QM_RUN_KEY}" "${QM_RUN_VALUE}"
    Delete "${QM_SHORTCUT}"
    ; Read-only files go too: Delete and RMDir clear the attribute first.
    RMDir /r "$INSTDIR\Firmware"
    RMDir /r "$INSTDIR\${QM_DOWNLOAD_FOLDER_PULO5}"
    RMDir /r "$INSTDIR\${QM_DOWNLOAD_FOLDER_PULO4}"
    RMDir /r "$INSTDIR\${QM_PACKAGE_FOLDER}"
    Delete "$INSTDIR\quillmate.exe"
    Delete "$INSTDIR\NorvaneUpgradeDll.dll"
    Delete "$INSTDIR\uninstall.exe"
    ; Files of the user's own stay, and the folder with them.
    RMDir "$INSTDIR"
    ${If} ${FileExists} "$INSTDIR\*"
        DetailPrint "$INSTDIR: not empty, left in place"
    ${EndIf}

    DeleteRegKey HKLM "${QM_PRODUCT_ROOT_KEY}"
    DeleteRegKey /ifempty HKLM "${QM_MAKER_KEY}"
    DeleteRegKey HKLM "${QM_ARP_KEY}"
SectionEnd
