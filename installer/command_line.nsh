; The command line of Setup and of the uninstaller: the value of an option,
; and the first word that is no option they know (a typing error must not
; install something the administrator did not ask for).

!include FileFunc.nsh
!include LogicLib.nsh

!define EXIT_WRONG_COMMAND_LINE 5  ; an unknown option: nothing changed

; Stack: the option with its "=" (such as "/HOSTDIR="), then the parameters;
; returns its value, or "<none>" when the option is not there (any case).
; The value may hold blanks when it is quoted: /HOSTDIR="C:\Scan Host" as
; typed in a console, or "/HOSTDIR=C:\Scan Host" as programs quote a whole
; argument.
Function CommandLineOption
    Exch $0  ; the parameters
    Exch
    Exch $5  ; the option
    Push $1  ; position
    Push $2  ; length of the parameters
    Push $3  ; the text at the position
    Push $4  ; the character that ends the value
    Push $6  ; length of the option
    StrLen $2 $0
    StrLen $6 $5
    StrCpy $1 0
    ${Do}
        ${If} $1 >= $2
            StrCpy $0 "<none>"
            Goto done
        ${EndIf}
        StrCpy $3 $0 $6 $1
        ${IfThen} $3 == $5 ${|} ${ExitDo} ${|}  ; == ignores case
        IntOp $1 $1 + 1
    ${Loop}
    StrCpy $4 " "
    ${If} $1 > 0
        IntOp $3 $1 - 1
        StrCpy $3 $0 1 $3
        ${If} $3 == '"'
            StrCpy $4 '"'
        ${EndIf}
    ${EndIf}
    IntOp $1 $1 + $6
    StrCpy $0 $0 "" $1  ; from the value on
    StrCpy $3 $0 1
    ${If} $3 == '"'
    ${AndIf} $4 == " "
        StrCpy $4 '"'
        StrCpy $0 $0 "" 1
    ${EndIf}
    ; The value ends before the first $4.
    StrLen $2 $0
    StrCpy $1 0
    ${Do}
        ${IfThen} $1 >= $2 ${|} ${ExitDo} ${|}
        StrCpy $3 $0 1 $1
        ${IfThen} $3 == $4 ${|} ${ExitDo} ${|}
        IntOp $1 $1 + 1
    ${Loop}
    StrCpy $0 $0 $1
done:
    Pop $6
    Pop $4
    Pop $3
    Pop $2
    Pop $1
    Pop $5
    Exch $0
FunctionEnd

!macro DEFINE_FIRST_UNKNOWN_OPTION un
; Stack: the options Setup knows, each ended by "|" ("/S|/HOSTDIR=|"; one
; ending in "=" takes a value). Returns the first word of the command line
; that is none of them, or "" when every word is one. A word runs to the
; next blank outside quotes; quotes around it are not part of the option.
Function ${un}FirstUnknownOption
    Exch $0  ; the known options
    Push $1  ; the parameters
    Push $2  ; position
    Push $3  ; length
    Push $4  ; character
    Push $5  ; the word
    Push $6  ; inside quotes
    Push $7  ; the known option looked at
    Push $8  ; position in the known options
    ${GetParameters} $1
    StrLen $3 $1
    StrCpy $2 0
    ${Do}
        ; Past the blanks, one word.
        ${Do}
            StrCpy $4 $1 1 $2
            ${IfThen} $4 != " " ${|} ${ExitDo} ${|}
            IntOp $2 $2 + 1
        ${Loop}
        ${If} $2 >= $3
            StrCpy $0 ""
            ${Break}
        ${EndIf}
        StrCpy $5 ""
        StrCpy $6 0
        ${Do}
            ${IfThen} $2 >= $3 ${|} ${ExitDo} ${|}
            StrCpy $4 $1 1 $2
            ${If} $4 == '"'
                IntOp $6 1 - $6
            ${ElseIf} $4 == " "
            ${AndIf} $6 = 0
                ${ExitDo}
            ${Else}
                StrCpy $5 "$5$4"
            ${EndIf}
            IntOp $2 $2 + 1
        ${Loop}
        ; Is it one of the known options?
        StrCpy $8 0
        StrCpy $7 ""
        ${Do}
            StrCpy $4 $0 1 $8
            ${If} $4 == ""
                ${ExitDo}
            ${EndIf}
            IntOp $8 $8 + 1
            ${If} $4 != "|"
                StrCpy $7 "$7$4"
                ${Continue}
            ${EndIf}
            StrCpy $4 $7 "" -1
            ${If} $4 == "="
                StrLen $4 $7
                StrCpy $4 $5 $4
            ${Else}
                StrCpy $4 $5
            ${EndIf}
            ${If} $4 == $7  ; == ignores case
                StrCpy $7 "known"
                ${ExitDo}
            ${EndIf}
            StrCpy $7 ""
        ${Loop}
        ${If} $7 != "known"
            StrCpy $0 $5
            ${Break}
        ${EndIf}
    ${Loop}
    Pop $8
    Pop $7
    Pop $6
    Pop $5
    Pop $4
    Pop $3
    Pop $2
    Pop $1
    Exch $0
FunctionEnd
!macroend

!insertmacro DEFINE_FIRST_UNKNOWN_OPTION ""
!insertmacro DEFINE_FIRST_UNKNOWN_OPTION "un."

; Ends Setup (or the uninstaller) with exit code 5 when the command line
; holds an option it does not know, naming it and what it takes (usage, a
; language string).
!macro REFUSE_UNKNOWN_OPTIONS un known usage
    Push "${known}"
    Call ${un}FirstUnknownOption
    Pop $0
    ${If} $0 != ""
        MessageBox MB_OK|MB_ICONSTOP "$(UNKNOWN_OPTION)$\r$\n$\r$\n${usage}$\r$\n$\r$\n$(NOTHING_CHANGED)" /SD IDOK
        SetErrorLevel ${EXIT_WRONG_COMMAND_LINE}
        Quit
    ${EndIf}
!macroend
