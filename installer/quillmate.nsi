; Setup of the scanned-page print system: the files of program_files.cmake
; (jobport.dll, KESTRO.EXE, Tessary.exe, "Tessary.cfg", "KESTRO.cfg") into
; the program folder, jobport.dll and "KESTRO.cfg" also into the scanning
; program's folder, the log, settings and data folders under the common
; application data folder, the registry values that name them, a
; Start-menu shortcut to Print Settings and an entry with an uninstaller in
; the list of installed programs. An upgrade keeps the user's print
; settings and "KESTRO.cfg".
;
; Built by the installer target (installer/CMakeLists.txt):
;   makensis -DPRODUCT_VERSION=a.b.c.d -DPAYLOAD=<folder of the files>
;            -DPROGRAM_FILES_NSH=<program_files.nsh> -DUPGRADE_CODE={...}
;            [-DSIGN_SCRIPT=<sign-file.sh> -DUNINSTALLER_COPY=<file>]
;            -DOUTFILE=... quillmate.nsi
;
; Command line of the setup program:
;   /S               silent: no pages, no questions
;   /HOSTDIR=FOLDER  the scanning program's folder ("/HOSTDIR=" for none)
;   /SETTINGS=FILE   a "KESTROst.ini" written by Print Settings, installed
;                    with its device-mode file when the station has no print
;                    settings yet
;   /REPLACESETTINGS /SETTINGS= replaces the station's print settings
;   /LANG=ja|en      the language of Setup's pages and of the "Tessary.cfg"
;                    and "KESTRO.cfg" it installs; without it, Windows'
;                    display language chooses (Japanese or else English)
;   /D=FOLDER        the program folder (last, without quotes)
; Exit codes: 0 installed; 1 cancelled by the user; 2 a running program held
; a file; 3 a folder Setup keeps under the common application data folder
; is a link or not an administrators' folder; 4 such a folder could not be
; created or given its permissions, or the print settings not written into
; it; 5 an unknown option; 6 the print settings file is not sound; 7 the
; MSI package installed the system. With 1, 2, 3, 5, 6 and 7 nothing changed.

Unicode true

!macro REQUIRE name
    !ifndef ${name}
        !error "makensis needs -D${name}=..."
    !endif
!macroend
!insertmacro REQUIRE PRODUCT_VERSION
!insertmacro REQUIRE PAYLOAD
!insertmacro REQUIRE PROGRAM_FILES_NSH
!insertmacro REQUIRE UPGRADE_CODE
!insertmacro REQUIRE OUTFILE

; Signs the uninstaller before it is packed, and the installer, when the
; build signs (scripts/sign-file.sh does nothing without a certificate).
!ifdef SIGN_SCRIPT
    !uninstfinalize 'bash "${SIGN_SCRIPT}" "%1"' = 0
    !uninstfinalize 'cp "%1" "${UNINSTALLER_COPY}"' = 0
    !finalize 'bash "${SIGN_SCRIPT}" "%1"' = 0
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include "install_layout.nsh"
!include "${PROGRAM_FILES_NSH}"
!include "command_line.nsh"
!include "host_folder.nsh"
!include "files_in_use.nsh"
!include "registry_values.nsh"

Name "${PRODUCT} ${PRODUCT_VERSION}"
OutFile "${OUTFILE}"
InstallDir "${DEFAULT_PROGRAM_FOLDER}"
; An upgrade goes where the installation before went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
; A file that cannot be written stops Setup; it is never skipped.
AllowSkipFiles off
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${PRODUCT_VERSION}"

VIProductVersion "${PRODUCT_VERSION}"
VIFileVersion "${PRODUCT_VERSION}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup: prints scanned pages"
VIAddVersionKey "FileVersion" "${PRODUCT_VERSION}"
VIAddVersionKey "ProductVersion" "${PRODUCT_VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

!define MUI_ABORTWARNING
!define MUI_ICON "${NSISDIR}\Contrib\Graphics\Icons\modern-install.ico"
!define MUI_UNICON "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"

; The texts of the pages are in languages.nsh.
!define MUI_WELCOMEPAGE_TEXT "$(WELCOME_TEXT)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY

; The scanning program's folder (host_folder.nsh).
!define MUI_PAGE_HEADER_TEXT "$(HOST_PAGE_HEADER)"
!define MUI_PAGE_HEADER_SUBTEXT "$(HOST_PAGE_SUBHEADER)"
!define MUI_DIRECTORYPAGE_TEXT_TOP "$(HOST_PAGE_TOP)"
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "$(HOST_PAGE_DESTINATION)"
!define MUI_DIRECTORYPAGE_VARIABLE $HostDir
!define MUI_DIRECTORYPAGE_VERIFYONLEAVE
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE HostFolderPageLeave
!insertmacro MUI_PAGE_DIRECTORY

!insertmacro MUI_PAGE_INSTFILES

!define MUI_FINISHPAGE_TEXT "$FinishText"
!insertmacro MUI_PAGE_FINISH

; Packs folder_guard.exe: after the compressor is set.
!include "data_folders.nsh"
!include "uninstaller.nsh"

; English first: the language of a Windows that speaks neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"
!include "languages.nsh"
!insertmacro PROGRAM_FILE_LANG_STRINGS
!include "language_choice.nsh"

!insertmacro DEFINE_WAIT_UNTIL_PROGRAM_FILES_ARE_FREE ""
!insertmacro DEFINE_WAIT_UNTIL_PROGRAM_FILES_ARE_FREE "un."

!define EXIT_INSTALLED_AS_MSI 7  ; the MSI package installed the system: nothing changed

Function .onInit
    SetShellVarContext all
    SetRegView 32
    Call ChooseLanguage
    !insertmacro REFUSE_UNKNOWN_OPTIONS "" "/S|/NCRC|/D=|/HOSTDIR=|/SETTINGS=|/REPLACESETTINGS|/LANG=|" \
        "$(SETUP_USAGE)"
    Call RefuseInstallationOfThePackage
    Call ChooseHostFolderFromCommandLine
    Call ChooseSettingsFromCommandLine
FunctionEnd

; Both kinds of Setup install the same files in the same places: one
; installed by the MSI package is upgraded and removed by a package only.
Function RefuseInstallationOfThePackage
    System::Call 'msi::MsiEnumRelatedProductsW(w "${UPGRADE_CODE}", i 0, i 0, w .r1) i .r0'
    ${If} $0 == 0
        MessageBox MB_OK|MB_ICONSTOP "$(INSTALLED_AS_MSI)" /SD IDOK
        SetErrorLevel ${EXIT_INSTALLED_AS_MSI}
        Quit
    ${EndIf}
FunctionEnd

Function ChooseSettingsFromCommandLine
    ${GetParameters} $0
    Push "/SETTINGS="
    Push $0
    Call CommandLineOption
    Pop $SettingsFile
    ${If} $SettingsFile == "<none>"
        StrCpy $SettingsFile ""
    ${ElseIf} $SettingsFile == ""
        MessageBox MB_OK|MB_ICONSTOP "$(SETTINGS_NEED_FILE)" /SD IDOK
        SetErrorLevel ${EXIT_WRONG_COMMAND_LINE}
        Quit
    ${EndIf}
    StrCpy $ReplaceSettings ""
    ClearErrors
    ${GetOptions} $0 "/REPLACESETTINGS" $1
    ${IfNot} ${Errors}
        StrCpy $ReplaceSettings "replace"
    ${EndIf}
FunctionEnd

Section "-Programs"
    Call NormaliseHostFolder
    ${If} $PreviousHostDir == $HostDir
        StrCpy $PreviousHostDir ""
    ${EndIf}
    ; Nothing is written before every file to be replaced is free, the
    ; print settings given are sound and the data folders are Setup's own.
    Call WaitUntilProgramFilesAreFree
    Call CheckSettingsFile
    Call SecureDataFolders
    Call InstallSettingsFile

    SetOutPath "$INSTDIR"
    ; A KEEP file (the user may have changed "KESTRO.cfg") is not replaced.
    !insertmacro INSTALL_PROGRAM_FILES
    ${If} $HostDir != ""
        SetOutPath "$HostDir"
        !insertmacro INSTALL_HOST_FILES
    ${EndIf}
    ; The host folder of the installation before would keep an old library.
    ${If} $PreviousHostDir != ""
        Delete "$PreviousHostDir\jobport.dll"
    ${EndIf}
SectionEnd

Section "-Registry values"
    ; The folders they name exist since SecureDataFolders.
    Call WriteFolderValues
SectionEnd

Section "-Shortcut and uninstaller"
    CreateDirectory "${SHORTCUT_FOLDER}"
    CreateShortCut "${SHORTCUT}" "$INSTDIR\Tessary.exe" "" "$INSTDIR\Tessary.exe" 0 \
        SW_SHOWNORMAL "" "$(SHORTCUT_DESCRIPTION)"

    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${PRODUCT_VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tessary.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "${VALUE_HOST_FOLDER}" "$HostDir"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

    Call WriteFinishText
SectionEnd
