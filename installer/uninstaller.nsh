; The uninstaller: removes the programs, the copies in the host folder, the
; shortcut, the logs, the registry values and the entry in the list of
; installed programs. The user's print settings ("KESTROst.ini" and the
; device-mode files) stay unless the user ticks "Stored print settings" or
; passes /REMOVESETTINGS. Pages still waiting in the data folder stay too.
; Exit code 0 when removed, 1 when the user cancelled, 2 when a running
; program held a file (nothing changed), 5 for an unknown option.
; In the data folders it deletes only the files the programs create there,
; never through a link (data_folders.nsh).

!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh

; "settings" when the stored print settings go too, for un.RemoveDataFolders.
Var RemoveSettings

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

Section "-un.Programs"
    ReadRegStr $HostDir HKLM "${UNINSTALL_KEY}" "${VALUE_HOST_FOLDER}"
    StrCpy $PreviousHostDir ""
    Call un.WaitUntilProgramFilesAreFree

    ; Tessary.cfg names the settings program's value: read it before deleting.
    Call un.DeleteFolderValues
    !insertmacro DELETE_PROGRAM_FILES
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    RMDir "$PROGRAMFILES\${PUBLISHER}"  ; when nothing else is in it
    ${If} $HostDir != ""
        !insertmacro DELETE_HOST_FILES "$HostDir"
    ${EndIf}

    Delete "${SHORTCUT}"
    RMDir "${SHORTCUT_FOLDER}"

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    StrCpy $RemoveSettings ""
SectionEnd

Section /o "un.$(STORED_SETTINGS)" RemoveStoredSettings
    StrCpy $RemoveSettings "settings"
SectionEnd

Section "-un.Data folders"
    Push $RemoveSettings
    Call un.RemoveDataFolders
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${RemoveStoredSettings} \
        "$(STORED_SETTINGS_DESCRIPTION)"
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END

Function un.onInit
    SetShellVarContext all
    SetRegView 32
    Call un.ChooseDisplayLanguage
    !insertmacro REFUSE_UNKNOWN_OPTIONS "un." "/S|/REMOVESETTINGS|_?=|" "$(UNINSTALLER_USAGE)"
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/REMOVESETTINGS" $1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${RemoveStoredSettings}
    ${EndIf}
FunctionEnd
