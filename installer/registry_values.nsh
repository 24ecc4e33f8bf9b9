; The registry values through which jobport.dll, KESTRO.EXE and Tessary.exe
; find the installed folders (HKEY_LOCAL_MACHINE, 32-bit view: the view the
; 32-bit programs read). The library reads four values of its key; the
; settings program reads the one value that its "Tessary.cfg" names, and
; it gets the settings folder too, so that both meet on one "KESTROst.ini".

!include LogicLib.nsh

; Reads the settings program's key and value from "Tessary.cfg" in the
; program folder into $R1 (key below HKLM) and $R2 (value name); both
; empty when the file names none.
!macro DEFINE_READ_SETTINGS_PROGRAM_VALUE un
Function ${un}ReadSettingsProgramValue
    Push $0
    Push $1
    Push $2
    ReadINIStr $0 "$INSTDIR\Tessary.cfg" "Registry" "Manufacturer"
    ReadINIStr $1 "$INSTDIR\Tessary.cfg" "Registry" "Group"
    ReadINIStr $2 "$INSTDIR\Tessary.cfg" "Registry" "Name"
    ReadINIStr $R2 "$INSTDIR\Tessary.cfg" "Registry" "SystemDirectoryRegistryValueName"
    StrCpy $R1 "SOFTWARE\$0\$1\$2"
    ${If} $0 == ""
    ${OrIf} $1 == ""
    ${OrIf} $2 == ""
    ${OrIf} $R2 == ""
        StrCpy $R1 ""
        StrCpy $R2 ""
    ${EndIf}
    Pop $2
    Pop $1
    Pop $0
FunctionEnd
!macroend

!insertmacro DEFINE_READ_SETTINGS_PROGRAM_VALUE ""
!insertmacro DEFINE_READ_SETTINGS_PROGRAM_VALUE "un."

Function WriteFolderValues
    WriteRegStr HKLM "${LIBRARY_KEY}" "${VALUE_LOG}" "${LOG_FOLDER}"
    WriteRegStr HKLM "${LIBRARY_KEY}" "${VALUE_PROGRAM}" "$INSTDIR"
    WriteRegStr HKLM "${LIBRARY_KEY}" "${VALUE_SETTINGS}" "${SETTINGS_FOLDER}"
    WriteRegStr HKLM "${LIBRARY_KEY}" "${VALUE_SYSTEM}" "${SYSTEM_FOLDER}"
    Call ReadSettingsProgramValue
    ${If} $R1 != ""
        WriteRegStr HKLM "$R1" "$R2" "${SETTINGS_FOLDER}"
    ${EndIf}
FunctionEnd

; Deletes the values Setup wrote, then each key of the path that is empty.
Function un.DeleteFolderValues
    Call un.ReadSettingsProgramValue
    ${If} $R1 != ""
        DeleteRegValue HKLM "$R1" "$R2"
        DeleteRegKey /ifempty HKLM "$R1"
    ${EndIf}
    DeleteRegValue HKLM "${LIBRARY_KEY}" "${VALUE_LOG}"
    DeleteRegValue HKLM "${LIBRARY_KEY}" "${VALUE_PROGRAM}"
    DeleteRegValue HKLM "${LIBRARY_KEY}" "${VALUE_SETTINGS}"
    DeleteRegValue HKLM "${LIBRARY_KEY}" "${VALUE_SYSTEM}"
    DeleteRegKey /ifempty HKLM "${LIBRARY_KEY}"
    DeleteRegKey /ifempty HKLM "SOFTWARE\${PUBLISHER}\Corvane-Suite"
    DeleteRegKey /ifempty HKLM "SOFTWARE\${PUBLISHER}"
FunctionEnd
