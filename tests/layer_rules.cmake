# Fails when a folder of src/ includes a folder above it: every include points down.
# Run as: cmake -DSOURCE_DIR=<src> -P layer_rules.cmake
cmake_minimum_required(VERSION 3.25)

# From the bottom up; each folder may include only the folders before it.
set(layers base transport services products pages terminal gui app)

set(violations "")
foreach(layer ${layers})
    list(FIND layers ${layer} index)
    list(SUBLIST layers ${index} -1 forbidden)
    file(GLOB_RECURSE sources "${SOURCE_DIR}/${layer}/*.h" "${SOURCE_DIR}/${layer}/*.cpp")
    foreach(source ${sources})
        file(STRINGS "${source}" includes REGEX "^#include \"[a-z_]+/")
        foreach(line ${includes})
            string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" target "${line}")
            if(target IN_LIST forbidden AND NOT target STREQUAL layer)
                file(RELATIVE_PATH shown "${SOURCE_DIR}" "${source}")
                list(APPEND violations "${shown}: ${line}")
            endif()
        endforeach()
    endforeach()
endforeach()
if(violations)
    list(JOIN violations "\n  " shown)
    message(FATAL_ERROR "Includes against the layers:\n  ${shown}")
endif()
