# orvex_add_gui_test(<name> SCRIPT <file.uid> PROGRAM <target>
#                    [COPY <folder>...] [ENV <NAME=VALUE>...] [SHOT <file.png>]
#                    [BEFORE <check.sh>] [AFTER <check.sh>] [TIMEOUT <seconds>])
# Registers one end-to-end test of the Windows build: scripts/run-gui-test.sh
# copies the COPY folders into a fresh temporary folder, runs the driver script
# there under Wine with PROGRAM (the program's path), WORK (that folder) and
# SHOT (a screenshot file the script may write) set, and turns SHOT into the
# PNG given here. ENV sets variables for the driver and the program (LANG=...).
# The program speaks Russian (ORVEX_LANG=ru) unless ENV says otherwise; an
# empty ORVEX_LANG= leaves the choice to Windows' interface language. The
# driver also gets ORVEX_VERSION and ORVEX_VERSION_SHORT for the scripts.
# BEFORE and AFTER are bash scripts run in that folder before the driver and
# after it passed (to prepare files, and to check what the program wrote).
# The tests run one at a time: they work the real mouse and keyboard.
function(orvex_add_gui_test name)
    cmake_parse_arguments(G "" "SCRIPT;PROGRAM;SHOT;TIMEOUT;BEFORE;AFTER" "COPY;ENV" ${ARGN})
    if(NOT G_TIMEOUT)
        set(G_TIMEOUT 90)
    endif()
    get_filename_component(script "${G_SCRIPT}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    set(args --driver $<TARGET_FILE:uidriver> --program $<TARGET_FILE:${G_PROGRAM}>
             --build ${CMAKE_BINARY_DIR} --timeout ${G_TIMEOUT})
    foreach(folder IN LISTS G_COPY)
        get_filename_component(folder "${folder}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
        list(APPEND args --copy ${folder})
    endforeach()
    # The scripts name the version only through ${ORVEX_VERSION} and
    # ${ORVEX_VERSION_SHORT} (major.minor, as the caption and the About box say it).
    foreach(variable IN ITEMS ORVEX_VERSION=${PROJECT_VERSION}
            ORVEX_VERSION_SHORT=${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR} ORVEX_LANG=ru LISTS G_ENV)
        list(APPEND args --env ${variable})
    endforeach()
    if(G_SHOT)
        list(APPEND args --shot ${G_SHOT})
    endif()
    foreach(hook BEFORE AFTER)
        if(G_${hook})
            string(TOLOWER ${hook} option)
            get_filename_component(file "${G_${hook}}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
            list(APPEND args --${option} ${file})
        endif()
    endforeach()
    add_test(NAME ${name} COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/run-gui-test.sh ${args} ${script})
    math(EXPR limit "${G_TIMEOUT} + 30")
    # A person's input (SendInput) goes to the one foreground window of Wine's
    # desktop: windows of two tests at a time would take each other's clicks.
    set_tests_properties(${name} PROPERTIES TIMEOUT ${limit} LABELS gui RUN_SERIAL ON)
endfunction()
