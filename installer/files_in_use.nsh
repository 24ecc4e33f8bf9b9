; A program that runs holds its own file (KESTRO.EXE, Tessary.exe), and the
; scanning program holds the jobport.dll it loaded: such a file can be
; neither replaced nor deleted. Setup and the uninstaller look at every
; file they would replace or delete before they change anything, so they
; never stop halfway: they name the file and the program, ask the user to
; close it and look again, or stop with nothing changed (in silent mode at
; once, exit code 2).

!include LogicLib.nsh

!define EXIT_FILE_IN_USE 2  ; a running program holds a file: nothing changed

; Defines ${un}WaitUntilFileIsFree (un is "" or "un.").
!macro DEFINE_WAIT_UNTIL_FILE_IS_FREE un
; Stack: the file, then the program that holds it. Returns when the file is
; missing or free; aborts when the user gives up.
Function ${un}WaitUntilFileIsFree
    Exch $0  ; the file
    Exch
    Exch $1  ; the program
    Push $2
    Push $3
    ${Do}
        ; Opening for writing fails with a sharing or lock violation only
        ; while a process holds the file (a missing one fails otherwise).
        System::Call 'kernel32::CreateFileW(w r0, i 0x40000000, i 7, p 0, i 3, i 0, p 0) p.r2 ?e'
        Pop $3
        ${If} $2 <> -1
            System::Call 'kernel32::CloseHandle(p r2)'
        ${EndIf}
        ${If} $3 <> 32  ; ERROR_SHARING_VIOLATION
        ${AndIf} $3 <> 33  ; ERROR_LOCK_VIOLATION
            ${Break}
        ${EndIf}
        DetailPrint "$0 is in use by $1."
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "$(FILE_IN_USE)" \
            /SD IDCANCEL IDRETRY look_again
        DetailPrint "Stopped: nothing was changed."
        SetErrorLevel ${EXIT_FILE_IN_USE}
        Abort
        look_again:
    ${Loop}
    Pop $3
    Pop $2
    Pop $1
    Pop $0
FunctionEnd
!macroend

!macro WAIT_UNTIL_FILE_IS_FREE un file program
    Push "${program}"
    Push "${file}"
    Call ${un}WaitUntilFileIsFree
!macroend

; Defines ${un}WaitUntilProgramFilesAreFree: every file of the program
; folder and of the host folders ($HostDir, and $PreviousHostDir that an
; upgrade leaves) that a running program can hold (HELD_BY in
; program_files.cmake).
!macro DEFINE_WAIT_UNTIL_PROGRAM_FILES_ARE_FREE un
!insertmacro DEFINE_WAIT_UNTIL_FILE_IS_FREE "${un}"
Function ${un}WaitUntilProgramFilesAreFree
    !insertmacro WAIT_FOR_PROGRAM_FILES "${un}"
    ${If} $HostDir != ""
        !insertmacro WAIT_FOR_HOST_FILES "${un}" "$HostDir"
    ${EndIf}
    ${If} $PreviousHostDir != ""
        !insertmacro WAIT_FOR_HOST_FILES "${un}" "$PreviousHostDir"
    ${EndIf}
FunctionEnd
!macroend
