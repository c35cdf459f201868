# One golden test of korvx-run: runs it in the case folder FALL with the
# arguments of FALL/args and compares its standard output with FALL/stdout.txt
# and its exit status with FALL/exitcode.
# Regenerate the expected files after an intended change (from the project folder):
#   for f in tests/app/golden/*/; do cmake -DPROGRAMM=build/src/app/korvx-run -DFALL=$f -DNEU=1 -P tests/app/Golden.cmake; done
get_filename_component(PROGRAMM "${PROGRAMM}" ABSOLUTE)
get_filename_component(FALL "${FALL}" ABSOLUTE)
file(READ "${FALL}/args" argtext)
string(STRIP "${argtext}" argtext)
separate_arguments(argumente UNIX_COMMAND "${argtext}")
# korvx-run only reads its start folder: the case folder must stay as it was.
function(ordner_stand ergebnis)
    file(GLOB_RECURSE dateien LIST_DIRECTORIES true "${FALL}/*")
    set(stand "")
    foreach(d IN LISTS dateien)
        if(IS_DIRECTORY "${d}")
            string(APPEND stand "${d}/\n")
        else()
            file(SHA256 "${d}" summe)
            string(APPEND stand "${d} ${summe}\n")
        endif()
    endforeach()
    set(${ergebnis} "${stand}" PARENT_SCOPE)
endfunction()
ordner_stand(vorher)

execute_process(COMMAND "${PROGRAMM}" ${argumente}
    WORKING_DIRECTORY "${FALL}"
    OUTPUT_VARIABLE ausgabe
    ERROR_VARIABLE fehlerausgabe
    RESULT_VARIABLE status)

ordner_stand(nachher)

if(NEU)
    file(WRITE "${FALL}/stdout.txt" "${ausgabe}")
    file(WRITE "${FALL}/exitcode" "${status}\n")
    return()
endif()

file(READ "${FALL}/stdout.txt" erwartet)
file(READ "${FALL}/exitcode" erwarteterStatus)
string(STRIP "${erwarteterStatus}" erwarteterStatus)
set(gut TRUE)
if(NOT ausgabe STREQUAL erwartet)
    message("standard output differs\n--- expected\n${erwartet}--- actual\n${ausgabe}---")
    set(gut FALSE)
endif()
if(NOT status STREQUAL erwarteterStatus)
    message("exit status ${status}, expected ${erwarteterStatus}")
    set(gut FALSE)
endif()
if(NOT vorher STREQUAL nachher)
    message("the case folder was changed\n--- before\n${vorher}--- after\n${nachher}")
    set(gut FALSE)
endif()
if(NOT gut)
    message(FATAL_ERROR "korvx-run ${argtext}\nstandard error:\n${fehlerausgabe}")
endif()
