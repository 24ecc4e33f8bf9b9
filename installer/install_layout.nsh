; Where the print system goes. Included by the installer and, through it,
; by the uninstaller, so both name the same files, folders and keys.
; Everything under $APPDATA and $SMPROGRAMS assumes SetShellVarContext all
; (the common application data folder and the common Start menu).

!define PRODUCT "Quillmate"
!define PUBLISHER "TRVX"

; Program folder (Program Files of 32-bit programs).
!define DEFAULT_PROGRAM_FOLDER "$PROGRAMFILES\${PUBLISHER}\${PRODUCT}"

; Folders a normal user writes to: the debug logs, the print settings
; ("KESTROst.ini" and the device-mode files) and the folder holding "Data",
; where the library keeps the pages waiting to be printed. folder_guard.exe
; creates them with their permissions (folder_guard/secured_folders.cpp
; names the same sub-folders).
!define DATA_ROOT "$APPDATA\${PUBLISHER}\${PRODUCT}"
!define LOG_FOLDER "${DATA_ROOT}\Logs"
!define SETTINGS_FOLDER "${DATA_ROOT}\Settings"
!define SYSTEM_FOLDER "${DATA_ROOT}\System"

; The key of jobport.dll (HKEY_LOCAL_MACHINE, 32-bit view) and its values.
!define LIBRARY_KEY "SOFTWARE\${PUBLISHER}\Corvane-Suite\${PRODUCT}"
!define VALUE_LOG "Debug Log Path"
!define VALUE_PROGRAM "Directory Path"
!define VALUE_SETTINGS "Setting Path"
!define VALUE_SYSTEM "System Directory"

; The entry in the list of installed programs; it also remembers the
; scanning program's folder for an upgrade.
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define VALUE_HOST_FOLDER "HostFolder"
!define UNINSTALLER "Uninstall.exe"

; The Start-menu shortcut to the settings program.
!define SHORTCUT_FOLDER "$SMPROGRAMS\${PRODUCT}"
!define SHORTCUT "${SHORTCUT_FOLDER}\Print Settings.lnk"
