# Pictures of the settings program (application icon, copy-order icons,
# layout previews), drawn at build time by tools/resource_art into
# ${RESOURCE_ART_DIR}, with the resource-script fragment resource_art.rc
# that lists them by id. A target whose .rc includes the fragment:
#
#   add_dependencies(tessary resource_art_files)
#   set_source_files_properties(resources/tessary.rc PROPERTIES
#       COMPILE_FLAGS -I${RESOURCE_ART_DIR}
#       OBJECT_DEPENDS ${RESOURCE_ART_DIR}/resource_art.stamp)  # recompiled when a picture changed
#   # and in tessary.rc:  #include "resource_art.rc"
#
# The generator runs on the build machine. In a native build it is an
# ordinary target (resource_art, its drawing code in resource_art_lib for
# the unit tests); in a cross build it is built by the host's default
# compiler as a separate project (tools/resource_art/CMakeLists.txt). The
# drawing code is the settings program's own (settings_program/pictures),
# which draws the same pictures at other display scales at run time.

set(RESOURCE_ART_DIR ${CMAKE_BINARY_DIR}/resource_art)
set(RESOURCE_ART_SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/resource_art)
# Touched after each run: the generator leaves unchanged pictures alone.
set(_resource_art_stamp ${RESOURCE_ART_DIR}/resource_art.stamp)

if(NOT CMAKE_CROSSCOMPILING)
    file(GLOB _resource_art_sources CONFIGURE_DEPENDS ${RESOURCE_ART_SOURCE_DIR}/*.cpp)
    list(FILTER _resource_art_sources EXCLUDE REGEX "/main\\.cpp$")
    add_library(resource_art_lib STATIC ${_resource_art_sources})
    target_include_directories(resource_art_lib PUBLIC
        ${RESOURCE_ART_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/settings_program)
    # The drawing itself lives with the settings program (settings_program/pictures).
    target_link_libraries(resource_art_lib PUBLIC tessary_pictures)
    add_executable(resource_art ${RESOURCE_ART_SOURCE_DIR}/main.cpp)
    target_link_libraries(resource_art PRIVATE resource_art_lib)
    # Not in the build folder's root (its name is taken by the output
    # folder) nor beside the shipped programs.
    set_target_properties(resource_art PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY $<1:${CMAKE_BINARY_DIR}/resource_art_tool>)
    set(_resource_art_command resource_art)
    set(_resource_art_depends resource_art)
else()
    include(ExternalProject)
    set(_resource_art_host_dir ${CMAKE_BINARY_DIR}/resource_art_host)
    set(_resource_art_host_exe ${_resource_art_host_dir}/resource_art)
    if(CMAKE_HOST_WIN32)
        string(APPEND _resource_art_host_exe .exe)
    endif()
    # No toolchain file and no compiler settings are passed on: the host
    # project finds the build machine's own compiler.
    ExternalProject_Add(resource_art_host
        SOURCE_DIR ${RESOURCE_ART_SOURCE_DIR}
        BINARY_DIR ${_resource_art_host_dir}
        PREFIX ${CMAKE_BINARY_DIR}/resource_art_host-prefix
        CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
        INSTALL_COMMAND ""
        BUILD_ALWAYS TRUE
        BUILD_BYPRODUCTS ${_resource_art_host_exe})
    set(_resource_art_command ${_resource_art_host_exe})
    set(_resource_art_depends ${_resource_art_host_exe} resource_art_host)
endif()

add_custom_command(
    OUTPUT ${_resource_art_stamp}
    BYPRODUCTS ${RESOURCE_ART_DIR}/resource_art.rc
    COMMAND ${_resource_art_command} ${RESOURCE_ART_DIR}
    COMMAND ${CMAKE_COMMAND} -E touch ${_resource_art_stamp}
    DEPENDS ${_resource_art_depends}
    COMMENT "Drawing the settings program's icons and previews"
    VERBATIM)
add_custom_target(resource_art_files ALL DEPENDS ${_resource_art_stamp})
