; The Windows installer of TKV9DSteuerung, built by scripts/package-windows with makensis:
;
;     makensis -DVERSION=1.3.0 -DFOLDER=<the zip's folder> -DFILES=<files.nsh>
;              -DICON=<tkv9d-steuerung.ico> -DOUTFILE=<setup.exe> tkv9d.nsi
;
; FOLDER holds what the zip holds, and all of it is installed. FILES lists what the uninstaller
; deletes, one line each, the files first and then the folders, the deepest first:
; "!insertmacro File <path>" or "!insertmacro Folder <path>", paths relative to FOLDER. An
; uninstaller that removed its folder as a whole would take along whatever else is in it, the
; whole of "C:\Programme" if that was chosen as the folder.
;
; Silent: setup.exe /S [/PATH] [/D=C:\folder]   uninstall.exe /S
; /PATH selects the optional PATH entry for tkv9d.exe, as its box on the components page does.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!ifndef VERSION | FOLDER | FILES | ICON | OUTFILE
!error "VERSION, FOLDER, FILES, ICON and OUTFILE must be defined (-D)"
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include WinMessages.nsh

!define PRODUCT "TKV9DSteuerung"
!define PUBLISHER "TKV9DSteuerung developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define PROGID "TKV9DSteuerung.Parameterdatei"
!define ENVIRONMENT_KEY "SYSTEM\CurrentControlSet\Control\Session Manager\Environment"
!define STARTMENU "$SMPROGRAMS\${PRODUCT}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1031 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "FileDescription" "Installationsprogramm von ${PRODUCT}"
VIAddVersionKey /LANG=1031 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "GPL-3.0-or-later"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; The GPL grants rights and asks for no consent; its page goes on with "Weiter".
!define MUI_LICENSEPAGE_BUTTON $(^NextBtn)
!define MUI_LICENSEPAGE_TEXT_BOTTOM $(LicenceNote)
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\LIESMICH.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${FOLDER}\LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one used where Windows' own is neither.
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "English"

LangString SectionPrograms ${LANG_GERMAN} "Programme"
LangString SectionPrograms ${LANG_ENGLISH} "Programs"
LangString SectionPath ${LANG_GERMAN} "Suchpfad (PATH)"
LangString SectionPath ${LANG_ENGLISH} "Search path (PATH)"
LangString DescPrograms ${LANG_GERMAN} "tkv9d-steuerung.exe, tkv9d.exe und tkv9d-sim.exe, ein Eintrag im Startmenü und der Dateityp .tkv."
LangString DescPrograms ${LANG_ENGLISH} "tkv9d-steuerung.exe, tkv9d.exe and tkv9d-sim.exe, a Start menu entry and the .tkv file type."
LangString DescPath ${LANG_GERMAN} "Der Programmordner kommt in den Suchpfad aller Benutzer: tkv9d.exe startet dann in jeder Eingabeaufforderung ohne Pfad."
LangString DescPath ${LANG_ENGLISH} "The program folder joins every user's search path: tkv9d.exe then starts in any command prompt without its path."
LangString LicenceNote ${LANG_GERMAN} "${PRODUCT} ist freie Software unter dieser Lizenz; sie muss nicht angenommen werden, um die Programme zu benutzen."
LangString LicenceNote ${LANG_ENGLISH} "${PRODUCT} is free software under this licence; it need not be accepted to use the programs."
LangString FileType ${LANG_GERMAN} "TKV-9D-Parameterdatei"
LangString FileType ${LANG_ENGLISH} "TKV-9D parameter file"
LangString PathUnreadable ${LANG_GERMAN} "Der Suchpfad (PATH) ist länger, als das Installationsprogramm lesen kann; er bleibt, wie er ist. Der Programmordner muss von Hand hinein:"
LangString PathUnreadable ${LANG_ENGLISH} "The search path (PATH) is longer than the installer can read; it stays as it is. Add the program folder by hand:"
LangString PathKept ${LANG_GERMAN} "Der Suchpfad (PATH) ist länger, als das Deinstallationsprogramm lesen kann; er bleibt, wie er ist. Der Programmordner muss von Hand heraus:"
LangString PathKept ${LANG_ENGLISH} "The search path (PATH) is longer than the uninstaller can read; it stays as it is. Remove the program folder by hand:"

Section "!$(SectionPrograms)" SectionPrograms
    SectionIn RO
    SetShellVarContext all
    SetRegView 64
    SetOutPath "$INSTDIR"
    File /r "${FOLDER}\*"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The program keeps its settings in the folder it runs in; --user-folder makes that the
    ; user's own (%APPDATA%\TKV9DSteuerung), which the user may write, never Program Files.
    CreateDirectory "${STARTMENU}"
    CreateShortcut "${STARTMENU}\${PRODUCT}.lnk" "$INSTDIR\tkv9d-steuerung.exe" \
        "--user-folder" "$INSTDIR\tkv9d-steuerung.exe" 0
    CreateShortcut "${STARTMENU}\LIESMICH.lnk" "$INSTDIR\LIESMICH.txt"

    ; A double click on a parameter file opens it in the program.
    WriteRegStr HKLM "Software\Classes\.tkv" "" "${PROGID}"
    WriteRegStr HKLM "Software\Classes\.tkv\OpenWithProgids" "${PROGID}" ""
    WriteRegStr HKLM "Software\Classes\${PROGID}" "" "$(FileType)"
    WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\tkv9d-steuerung.exe,0"
    WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" \
        '"$INSTDIR\tkv9d-steuerung.exe" --user-folder "%1"'
    ; SHChangeNotify(SHCNE_ASSOCCHANGED): Explorer shows the new icon at once.
    System::Call "shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)"

    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tkv9d-steuerung.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; $0: the value of PATH, read into at most NSIS_MAX_STRLEN characters; $9: "whole" when $0 is
; all of it with room for $INSTDIR besides. A longer value reads as empty; writing anything back
; then would cut the user's PATH, so the callers leave it alone. (Testing the error flag clears
; it, so the result goes in $9.)
!macro ReadPath
    StrCpy $9 ""
    ClearErrors
    ReadRegStr $0 HKLM "${ENVIRONMENT_KEY}" "Path"
    ${IfNot} ${Errors}
        StrLen $1 $0
        StrLen $2 $INSTDIR
        IntOp $1 $1 + $2
        IntOp $1 $1 + 1
        ${If} $1 < ${NSIS_MAX_STRLEN}
            StrCpy $9 "whole"
        ${EndIf}
    ${EndIf}
!macroend

; $0 without the entries that name $INSTDIR (with or without a closing backslash, in any case).
!macro WithoutInstallFolder un
Function ${un}WithoutInstallFolder
    StrCpy $3 ""
    ${Do}
        ; $1: the next entry, $0: the rest.
        StrCpy $1 ""
        ${Do}
            StrCpy $2 $0 1
            StrCpy $0 $0 "" 1
            ${If} $2 == ";"
            ${OrIf} $2 == ""
                ${Break}
            ${EndIf}
            StrCpy $1 "$1$2"
        ${Loop}
        ${If} $1 != "$INSTDIR"
        ${AndIf} $1 != "$INSTDIR\"
            ${If} $3 == ""
                StrCpy $3 $1
            ${ElseIf} $1 != ""
                StrCpy $3 "$3;$1"
            ${EndIf}
        ${EndIf}
    ${LoopUntil} $2 == ""
    StrCpy $0 $3
FunctionEnd
!macroend
!insertmacro WithoutInstallFolder ""
!insertmacro WithoutInstallFolder "un."

Section /o "$(SectionPath)" SectionPath
    SetRegView 64
    !insertmacro ReadPath
    ${If} $9 != "whole"
        MessageBox MB_OK|MB_ICONEXCLAMATION "$(PathUnreadable) $INSTDIR" /SD IDOK
        DetailPrint "$(PathUnreadable) $INSTDIR"
        Return
    ${EndIf}
    ; Once only, also when installed again over itself.
    Call WithoutInstallFolder
    ${If} $0 == ""
        StrCpy $0 "$INSTDIR"
    ${Else}
        StrCpy $0 "$0;$INSTDIR"
    ${EndIf}
    WriteRegExpandStr HKLM "${ENVIRONMENT_KEY}" "Path" $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "PathEntry" 1
    SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SectionPrograms} $(DescPrograms)
    !insertmacro MUI_DESCRIPTION_TEXT ${SectionPath} $(DescPath)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
    SetRegView 64
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/PATH" $1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SectionPath}
    ${EndIf}
FunctionEnd

Section "Uninstall"
    SetShellVarContext all
    SetRegView 64

    ReadRegDWORD $0 HKLM "${UNINSTALL_KEY}" "PathEntry"
    ${If} $0 == 1
        !insertmacro ReadPath
        ${If} $9 != "whole"
            DetailPrint "$(PathKept) $INSTDIR"
        ${Else}
            Call un.WithoutInstallFolder
            WriteRegExpandStr HKLM "${ENVIRONMENT_KEY}" "Path" $0
            SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
        ${EndIf}
    ${EndIf}

    ; The file type goes only where it is still this program's.
    ReadRegStr $0 HKLM "Software\Classes\.tkv" ""
    ${If} $0 == "${PROGID}"
        DeleteRegValue HKLM "Software\Classes\.tkv" ""
    ${EndIf}
    DeleteRegValue HKLM "Software\Classes\.tkv\OpenWithProgids" "${PROGID}"
    DeleteRegKey /ifempty HKLM "Software\Classes\.tkv\OpenWithProgids"
    DeleteRegKey /ifempty HKLM "Software\Classes\.tkv"
    DeleteRegKey HKLM "Software\Classes\${PROGID}"
    System::Call "shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)"

    Delete "${STARTMENU}\${PRODUCT}.lnk"
    Delete "${STARTMENU}\LIESMICH.lnk"
    RMDir "${STARTMENU}"

    ; File by file: the user's own files, wherever they are, stay (the settings and parameter
    ; files in %APPDATA%\TKV9DSteuerung are never touched).
    !macro File path
        Delete "$INSTDIR\${path}"
    !macroend
    !macro Folder path
        RMDir "$INSTDIR\${path}"
    !macroend
    !include "${FILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
