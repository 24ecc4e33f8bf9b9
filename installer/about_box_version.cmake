# cmake -DCFG=<Tessary.cfg> -DVERSION=<a.b.c.d> -P about_box_version.cmake
# The About box of Tessary.exe shows the "Version" text of "Tessary.cfg",
# not its version resource: refuse to build an installer whose texts name
# another version than the one it installs.
file(STRINGS "${CFG}" version_lines REGEX "^Version=")
string(REPLACE "." "\\." version_pattern "${VERSION}")
if(NOT version_lines MATCHES "(^|[^0-9.])${version_pattern}$")
    message(FATAL_ERROR "${CFG}: the About box text \"${version_lines}\" does not end in the "
                        "product version ${VERSION} (set in project() of CMakeLists.txt)")
endif()
