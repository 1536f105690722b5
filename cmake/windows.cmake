# What the Windows build adds: every program in one folder with the DLLs it loads, and the
# pictures drawn to PNG by a host program, since the Qt built for Windows has no SVG module.

# The programs and the tests share one folder, laid out as an installation is: the DLLs and Qt's
# plugins are copied there once.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# Discovering the tests runs them under wine; at build time that would slow every build.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)

# The compiler's own runtime, which every program built with it loads.
set(ZELTERM_MINGW_RUNTIME_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "The compiler's runtime ${dll} was not found (got '${path}').")
    endif()
    list(APPEND ZELTERM_MINGW_RUNTIME_DLLS ${path})
endforeach()

# Qt's plugins by folder: the Windows platform for the window, offscreen for the tests, and the
# native style.
set(ZELTERM_QT_PLUGINS
    platforms Qt6::QWindowsIntegrationPlugin
    platforms Qt6::QOffscreenIntegrationPlugin
    styles Qt6::QWindowsVistaStylePlugin)

# Every program of the project, found once every folder has made its targets: the DLLs each
# loads, Qt's plugins and the compiler's runtime, copied beside them by one target that each
# program depends on (so that building any one of them makes it runnable).
function(zelterm_deploy_runtime_everywhere)
    set(programs)
    set(folders ${PROJECT_SOURCE_DIR})
    while(folders)
        list(POP_FRONT folders folder)
        get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
        list(APPEND folders ${subfolders})
        get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
        foreach(target IN LISTS targets)
            get_target_property(type ${target} TYPE)
            if(type STREQUAL "EXECUTABLE")
                list(APPEND programs ${target})
            endif()
        endforeach()
    endwhile()

    set(out ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
    set(commands COMMAND ${CMAKE_COMMAND} -E copy_if_different ${ZELTERM_MINGW_RUNTIME_DLLS} ${out})
    foreach(program IN LISTS programs)
        # A program without DLLs of its own would leave the copy without files.
        list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy_if_different
             $<TARGET_RUNTIME_DLLS:${program}> ${ZELTERM_MINGW_RUNTIME_DLLS} ${out})
    endforeach()
    set(index 0)
    list(LENGTH ZELTERM_QT_PLUGINS count)
    while(index LESS count)
        list(GET ZELTERM_QT_PLUGINS ${index} folder)
        math(EXPR index "${index} + 1")
        list(GET ZELTERM_QT_PLUGINS ${index} plugin)
        math(EXPR index "${index} + 1")
        list(APPEND commands COMMAND ${CMAKE_COMMAND} -E make_directory ${out}/${folder}
             COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${plugin}> ${out}/${folder})
        install(FILES $<TARGET_FILE:${plugin}> DESTINATION ${folder})
    endwhile()
    add_custom_target(runtime_dlls ALL ${commands} COMMAND_EXPAND_LISTS VERBATIM)
    foreach(program IN LISTS programs)
        add_dependencies(${program} runtime_dlls)
    endforeach()
endfunction()
install(FILES ${ZELTERM_MINGW_RUNTIME_DLLS} DESTINATION .)

# A host program that draws the SVG pictures to PNG with the host's Qt SVG module, so that
# Windows shows what Linux draws (the Linux build's dependencies already hold that module).
include(ExternalProject)
ExternalProject_Add(svg_to_png
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/packaging/windows/svg_to_png
    BINARY_DIR ${CMAKE_BINARY_DIR}/host/svg_to_png
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE= -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=c++
               -DCMAKE_PREFIX_PATH=/usr
    BUILD_BYPRODUCTS ${CMAKE_BINARY_DIR}/host/svg_to_png/svg_to_png
    INSTALL_COMMAND ""
    EXCLUDE_FROM_ALL TRUE)
set(ZELTERM_SVG_TO_PNG ${CMAKE_BINARY_DIR}/host/svg_to_png/svg_to_png)

# OUTPUT_VAR: the PNG drawn from SVG at SCALE times its own size, in the build folder.
function(zelterm_svg_to_png svg scale output_var)
    get_filename_component(name ${svg} NAME_WE)
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${svg})
    get_filename_component(folder ${CMAKE_BINARY_DIR}/pictures/${relative} DIRECTORY)
    set(png ${folder}/${name}.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${ZELTERM_SVG_TO_PNG} ${svg} ${png} ${scale}
        DEPENDS ${svg} svg_to_png VERBATIM)
    set(${output_var} ${png} PARENT_SCOPE)
endfunction()
