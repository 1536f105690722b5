# The tests the Windows build leaves out, each with its reason; the README's Windows section
# lists the same. Entries: "program|GoogleTest pattern|reason" (no semicolons: CMake lists).
set(ZELTERM_WINDOWS_EXCLUSIONS
    "dialog_tests|UpdateProgramsTest.*|the update programs are stood in for by shell scripts, which Windows cannot start"
    "dialog_tests|UpdateDialogProgramsTest.*|the same: shell scripts in place of the update programs"
    "qt_tests|LogFileTest.AWriteErrorStopsTheFileWithOneLogLine|the failing write is made with /dev/full"
    "qt_tests|SettingsFileTest.*|they test the Linux settings file, which the Windows program does not use: it keeps its settings in the registry (windows_transport_tests)"
    "qt_tests|CustomPageFileTest.*|the custom commands in the Linux settings file, as above"
)

# FILTER_VAR: the --gtest_filter that leaves out TARGET's excluded tests on Windows; empty
# elsewhere or when none is.
function(zelterm_windows_filter target filter_var)
    set(patterns)
    if(WIN32)
        foreach(entry IN LISTS ZELTERM_WINDOWS_EXCLUSIONS)
            string(REPLACE "|" ";" fields "${entry}")
            list(GET fields 0 program)
            list(GET fields 1 pattern)
            if(program STREQUAL target)
                list(APPEND patterns ${pattern})
            endif()
        endforeach()
    endif()
    if(patterns)
        list(JOIN patterns ":" joined)
        set(${filter_var} "-${joined}" PARENT_SCOPE)
    else()
        set(${filter_var} "" PARENT_SCOPE)
    endif()
endfunction()
