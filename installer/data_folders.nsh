; The product's folders below the common application data folder: Logs,
; Settings, System and System\Data in ${DATA_ROOT}.
; Setup makes them its own and gives each its permissions before it writes
; anything; the uninstaller deletes only what the programs wrote there. Both
; go through folder_guard.exe (folder_guard/), which holds the permissions
; as SDDL text and never follows a link. It runs from $PLUGINSDIR, the
; private temporary folder of Setup (or of the uninstaller).

!include FileFunc.nsh
!include LogicLib.nsh

!define FOLDER_GUARD "$PLUGINSDIR\folder_guard.exe"
; folder_guard's arguments: the base folder and the product's path below it.
!define FOLDER_GUARD_PLACE '"$APPDATA" "${PUBLISHER}\${PRODUCT}"'
; Setup's exit codes when it stops over these folders.
!define EXIT_UNSAFE_FOLDER 3  ; one is a link or not Setup's own: nothing changed
!define EXIT_FOLDER_FAILED 4  ; one could not be created or given its permissions
                              ; (or the print settings not written into it)
!define EXIT_BAD_SETTINGS 6   ; the print settings file of /SETTINGS= is not sound: nothing changed
; folder_guard's exit code for a settings file that is not sound.
!define GUARD_BAD_SETTINGS 5

; The print settings file of /SETTINGS= ("" when none) and "replace" when
; /REPLACESETTINGS asks to replace the station's own (.onInit).
Var SettingsFile
Var ReplaceSettings

; Stack: text; each of its lines (ending in LF or CR LF) becomes a line of
; the details.
Function DetailPrintLines
    Exch $0  ; the text
    Push $1  ; position
    Push $2  ; character
    Push $3  ; the line so far
    StrCpy $1 0
    StrCpy $3 ""
    ${Do}
        StrCpy $2 $0 1 $1
        ${If} $2 == ""
        ${OrIf} $2 == "$\n"
            ${If} $3 != ""
                DetailPrint "$3"
            ${EndIf}
            StrCpy $3 ""
            ${IfThen} $2 == "" ${|} ${ExitDo} ${|}
        ${ElseIf} $2 != "$\r"
            StrCpy $3 "$3$2"
        ${EndIf}
        IntOp $1 $1 + 1
    ${Loop}
    Pop $3
    Pop $2
    Pop $1
    Pop $0
FunctionEnd

Function ExtractFolderGuard
    InitPluginsDir
    ${IfNot} ${FileExists} "${FOLDER_GUARD}"
        File "/oname=${FOLDER_GUARD}" "${PAYLOAD}/folder_guard.exe"
    ${EndIf}
FunctionEnd

; Before anything is written: the print settings file given with
; /SETTINGS= and the device-mode file beside it are checked; one that is
; not sound stops Setup with nothing changed, saying why.
Function CheckSettingsFile
    ${If} $SettingsFile == ""
        Return
    ${EndIf}
    Call ExtractFolderGuard
    nsExec::ExecToStack '"${FOLDER_GUARD}" settings-check "$SettingsFile"'
    Pop $0
    Pop $1
    Push $1
    Call DetailPrintLines
    ${If} $0 == 0
        Return
    ${EndIf}
    MessageBox MB_OK|MB_ICONSTOP "$1$\r$\n$(SETUP_CHANGED_NOTHING)" /SD IDOK
    SetErrorLevel ${EXIT_BAD_SETTINGS}
    DetailPrint "Stopped: nothing was changed."
    Abort
FunctionEnd

; After SecureDataFolders: the checked settings go into the settings folder
; unless the station has print settings of its own (or /REPLACESETTINGS).
Function InstallSettingsFile
    ${If} $SettingsFile == ""
        Return
    ${EndIf}
    nsExec::ExecToStack '"${FOLDER_GUARD}" settings-install "$SettingsFile" ${FOLDER_GUARD_PLACE} $ReplaceSettings'
    Pop $0
    Pop $1
    Push $1
    Call DetailPrintLines
    ${If} $0 == 0
        Return
    ${EndIf}
    MessageBox MB_OK|MB_ICONSTOP "$(SETTINGS_NOT_INSTALLED)$\r$\n$\r$\n$1" /SD IDOK
    ${If} $0 == ${GUARD_BAD_SETTINGS}
        SetErrorLevel ${EXIT_BAD_SETTINGS}
    ${Else}
        SetErrorLevel ${EXIT_FOLDER_FAILED}
    ${EndIf}
    DetailPrint "Stopped."
    Abort
FunctionEnd

; Before anything is written: every folder is checked, then created or given
; its permissions. A folder that a user made (or a link in its place) stops
; Setup with nothing changed, naming it.
Function SecureDataFolders
    Call ExtractFolderGuard
    nsExec::ExecToStack '"${FOLDER_GUARD}" secure ${FOLDER_GUARD_PLACE}'
    Pop $0  ; exit code ("error" when it could not start)
    Pop $1  ; what it said
    Push $1
    Call DetailPrintLines
    ${If} $0 == 0
        Return
    ${ElseIf} $0 == ${EXIT_UNSAFE_FOLDER}
        MessageBox MB_OK|MB_ICONSTOP \
            "$(DATA_FOLDERS_UNSAFE)$\r$\n$\r$\n$1" \
            /SD IDOK
        SetErrorLevel ${EXIT_UNSAFE_FOLDER}
    ${Else}
        MessageBox MB_OK|MB_ICONSTOP \
            "$(DATA_FOLDERS_FAILED)$\r$\n$\r$\n$1" \
            /SD IDOK
        SetErrorLevel ${EXIT_FOLDER_FAILED}
    ${EndIf}
    DetailPrint "Stopped."
    Abort
FunctionEnd

; The uninstaller's part: the programs' logs (with "settings", the stored
; print settings too) and every folder left empty. Pages still waiting,
; and anything else, stay. Stack: "settings" or "".
Function un.RemoveDataFolders
    Exch $0
    InitPluginsDir
    File "/oname=${FOLDER_GUARD}" "${PAYLOAD}/folder_guard.exe"
    nsExec::ExecToLog '"${FOLDER_GUARD}" remove ${FOLDER_GUARD_PLACE} $0'
    Pop $0  ; exit code: the uninstaller goes on whatever it is
    Pop $0
FunctionEnd
