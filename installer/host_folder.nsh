; The scanning program's folder, the host folder: the host loads jobport.dll
; from its own folder and reads "KESTRO.cfg" from its current folder, so
; Setup puts both there too. The user names it on a directory page or with
; /HOSTDIR= on the command line; empty means none (both stay in the
; program folder only). An upgrade keeps the host folder of the
; installation before unless /HOSTDIR= names another.

!include FileFunc.nsh
!include LogicLib.nsh

Var HostDir
; The host folder the installation before used ("" when none or fresh).
Var PreviousHostDir
Var FinishText

; .onInit: the remembered host folder, or the one /HOSTDIR= names.
Function ChooseHostFolderFromCommandLine
    ReadRegStr $PreviousHostDir HKLM "${UNINSTALL_KEY}" "${VALUE_HOST_FOLDER}"
    StrCpy $HostDir $PreviousHostDir
    ${GetParameters} $0
    Push "/HOSTDIR="
    Push $0
    Call CommandLineOption
    Pop $1
    ${If} $1 != "<none>"
        StrCpy $HostDir $1
    ${EndIf}
FunctionEnd

; Drops a trailing backslash; the program folder itself is no host folder
; (the files are there already).
Function NormaliseHostFolder
    Push $0
    StrCpy $0 $HostDir "" -1
    ${If} $0 == "\"
        StrCpy $HostDir $HostDir -1
    ${EndIf}
    ${If} $HostDir == $INSTDIR  ; compares without regard to case
        StrCpy $HostDir ""
    ${EndIf}
    Pop $0
FunctionEnd

; Leaving the host folder page: empty is allowed, an invalid path is not.
Function HostFolderPageLeave
    Call NormaliseHostFolder
    ${If} $HostDir == ""
        Return
    ${EndIf}
    GetInstDirError $0
    ${If} $0 = 1
        MessageBox MB_OK|MB_ICONEXCLAMATION "$(HOST_FOLDER_INVALID)"
        Abort
    ${EndIf}
FunctionEnd

; The finish page's text: where the library and its configuration are.
Function WriteFinishText
    ${If} $HostDir == ""
        StrCpy $FinishText "$(FINISH_WITHOUT_HOST_FOLDER)"
    ${Else}
        StrCpy $FinishText "$(FINISH_WITH_HOST_FOLDER)"
    ${EndIf}
FunctionEnd
