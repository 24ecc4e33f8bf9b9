# cmake -DLIST=<payload_files.txt> -DPAYLOAD=<folder> [-DSIGN_SCRIPT=<sign-file.sh>]
#       -P stage_payload.cmake
# Copies each file of LIST ("name<TAB>path<TAB>sign" lines) into PAYLOAD
# under its name (which may name a sub-folder, as ja/Tessary.cfg); with
# SIGN_PFX in the environment, signs those marked 1.
file(STRINGS "${LIST}" lines)
file(MAKE_DIRECTORY "${PAYLOAD}")
set(sign OFF)
if(SIGN_SCRIPT AND NOT "$ENV{SIGN_PFX}" STREQUAL "")
    set(sign ON)
endif()
foreach(line IN LISTS lines)
    string(REPLACE "\t" ";" fields "${line}")
    list(GET fields 0 name)
    list(GET fields 1 source)
    list(GET fields 2 signed)
    get_filename_component(folder "${PAYLOAD}/${name}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    file(COPY_FILE "${source}" "${PAYLOAD}/${name}")
    if(sign AND signed)
        execute_process(COMMAND bash "${SIGN_SCRIPT}" "${PAYLOAD}/${name}" RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "signing ${name} failed")
        endif()
    endif()
endforeach()
file(WRITE "${PAYLOAD}/payload.stamp" "signed: ${sign}\n")
