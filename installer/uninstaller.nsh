; The uninstaller: removes the programs, the copies in the host folder, the
; shortcut, the logs, the registry values and the entry in the list of
; installed programs. The user's print settings ("KESTROst.ini" and the
; device-mode files) stay unless the user ticks "Stored print settings" or
; passes /REMOVESETTINGS. Pages still waiting in the data folder stay too.
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
    Delete "$INSTDIR\jobport.dll"
    Delete "$INSTDIR\KESTRO.EXE"
    Delete "$INSTDIR\Tessary.exe"
    Delete "$INSTDIR\Tessary.cfg"
    Delete "$INSTDIR\KESTRO.cfg"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    RMDir "$PROGRAMFILES\${PUBLISHER}"  ; when nothing else is in it
    ${If} $HostDir != ""
        Delete "$HostDir\jobport.dll"
        Delete "$HostDir\KESTRO.cfg"
    ${EndIf}

    Delete "${SHORTCUT}"
    RMDir "${SHORTCUT_FOLDER}"

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    StrCpy $RemoveSettings ""
SectionEnd

Section /o "un.Stored print settings" RemoveStoredSettings
    StrCpy $RemoveSettings "settings"
SectionEnd

Section "-un.Data folders"
    Push $RemoveSettings
    Call un.RemoveDataFolders
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${RemoveStoredSettings} \
        "Also removes the printer and layout chosen in Print Settings. Leave it unticked to keep them for a later installation."
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END

Function un.onInit
    SetShellVarContext all
    SetRegView 32
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/REMOVESETTINGS" $1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${RemoveStoredSettings}
    ${EndIf}
FunctionEnd
