# The product version is set once, by project() in the top CMakeLists.txt.
# Every binary's version resource includes the header written here, and the
# installer gets the same number on the makensis command line, so the
# binaries, the installer and its entry in the list of installed programs
# cannot disagree.
#
#   product_version.h    macros for resource scripts (#include "product_version.h")
#   product_version.txt  the version alone, for scripts (make release)
set(PRODUCT_VERSION_DIR ${CMAKE_BINARY_DIR}/product_version)

if(NOT PROJECT_VERSION MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+$")
    message(FATAL_ERROR "project() must give a version of four numbers (a.b.c.d), not "
                        "\"${PROJECT_VERSION}\": version resources need all four")
endif()
# "1.0.3.0" -> "1, 0, 3, 0", the form the settings program's resource uses.
string(REPLACE "." ", " PRODUCT_VERSION_COMMA_TEXT "${PROJECT_VERSION}")
string(REPLACE "." "," PRODUCT_VERSION_NUMBERS "${PROJECT_VERSION}")

configure_file(${CMAKE_CURRENT_LIST_DIR}/product_version.h.in
               ${PRODUCT_VERSION_DIR}/product_version.h @ONLY)
file(CONFIGURE OUTPUT ${PRODUCT_VERSION_DIR}/product_version.txt CONTENT "${PROJECT_VERSION}\n")
# Resource scripts anywhere in the tree find the header by its name.
include_directories(${PRODUCT_VERSION_DIR})
