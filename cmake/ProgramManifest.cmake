# Application manifests of the two programs, embedded as resource 1 of type
# RT_MANIFEST by their resource scripts (both MinGW's windres and MSVC's rc
# read it as a plain file). One template, cmake/program.manifest.in; the
# assembly's version is the product version.
#
#   program_manifest(<target> <name> <description> <resource script>)
#       writes ${PROGRAM_MANIFEST_DIR}/<name>.manifest and lets the
#       target's resource script find it:  1 RT_MANIFEST "<name>.manifest"
set(PROGRAM_MANIFEST_DIR ${CMAKE_BINARY_DIR}/manifests)

function(program_manifest target name description script)
    set(MANIFEST_NAME ${name})
    set(MANIFEST_DESCRIPTION ${description})
    get_target_property(MANIFEST_FILE_NAME ${target} OUTPUT_NAME)
    string(APPEND MANIFEST_FILE_NAME .exe)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/program.manifest.in
                   ${PROGRAM_MANIFEST_DIR}/${name}.manifest @ONLY)
    target_include_directories(${target} PRIVATE ${PROGRAM_MANIFEST_DIR})
    set_property(SOURCE ${script} APPEND PROPERTY
                 OBJECT_DEPENDS ${PROGRAM_MANIFEST_DIR}/${name}.manifest)
    if(MSVC)
        # The linker would embed a manifest of its own as resource 1 too.
        target_link_options(${target} PRIVATE /MANIFEST:NO)
    endif()
endfunction()
