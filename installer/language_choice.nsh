; The language of Setup's pages and of the files it installs under
; "Tessary.cfg" and "KESTRO.cfg" (program_files.cmake): Japanese on a
; Windows whose display language is Japanese, English on any other, or what
; /LANG=ja or /LANG=en says (for silent installs, where no one is asked).
; The uninstaller speaks Windows' display language.
; Included after MUI_LANGUAGE, which defines the LANG_ values.

!include LogicLib.nsh

!macro DEFINE_CHOOSE_DISPLAY_LANGUAGE un
; $LANGUAGE from Windows' display language (GetUserDefaultUILanguage): any
; Japanese one (primary language 0x11, whatever its sub-language) gives
; Japanese, everything else English.
Function ${un}ChooseDisplayLanguage
    Push $0
    System::Call 'kernel32::GetUserDefaultUILanguage() i .r0'
    IntOp $0 $0 & 0x3FF
    ${If} $0 = 0x11
        StrCpy $LANGUAGE ${LANG_JAPANESE}
    ${Else}
        StrCpy $LANGUAGE ${LANG_ENGLISH}
    ${EndIf}
    Pop $0
FunctionEnd
!macroend
!insertmacro DEFINE_CHOOSE_DISPLAY_LANGUAGE ""
!insertmacro DEFINE_CHOOSE_DISPLAY_LANGUAGE "un."

; .onInit, before anything else is looked at: /LANG= or the display
; language. Any other /LANG= value ends Setup with exit code 5 (nothing
; changed), as a typing error must not install files in a language the
; administrator did not ask for.
Function ChooseLanguage
    Call ChooseDisplayLanguage
    ${GetParameters} $0
    Push "/LANG="
    Push $0
    Call CommandLineOption
    Pop $1
    ${If} $1 == "<none>"
        Return
    ${EndIf}
    ; == ignores case, as for the options themselves.
    ${If} $1 == "ja"
        StrCpy $LANGUAGE ${LANG_JAPANESE}
    ${ElseIf} $1 == "en"
        StrCpy $LANGUAGE ${LANG_ENGLISH}
    ${Else}
        StrCpy $0 "/LANG=$1"
        MessageBox MB_OK|MB_ICONSTOP "$(UNKNOWN_OPTION)$\r$\n$\r$\n$(SETUP_USAGE)$\r$\n$\r$\n$(NOTHING_CHANGED)" /SD IDOK
        SetErrorLevel ${EXIT_WRONG_COMMAND_LINE}
        Quit
    ${EndIf}
FunctionEnd
