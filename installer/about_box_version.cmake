# cmake -DCFG=<Tessary.cfg> -DVERSION=<a.b.c.d> -P about_box_version.cmake
# The About box of Tessary.exe shows the "Version" text of "Tessary.cfg",
# not its version resource: refuse to build an installer whose texts name
# another version than the one it installs. The file is read whole, as
# bytes: a translated file (the Japanese one is in code page 932) holds
# bytes that file(STRINGS) would stop at.
file(READ "${CFG}" cfg_text)
string(REGEX MATCH "(^|\n)Version=[^\r\n]*" version_line "${cfg_text}")
string(REGEX REPLACE "^\n?Version=" "" version_text "${version_line}")
string(REPLACE "." "\\." version_pattern "${VERSION}")
if(NOT version_line OR NOT version_text MATCHES "(^|[^0-9.])${version_pattern}$")
    message(FATAL_ERROR "${CFG}: the About box text \"${version_text}\" does not end in the "
                        "product version ${VERSION} (set in project() of CMakeLists.txt)")
endif()
