# Runs the layer check on a small tree of two layers, Lower and Upper (which links Lower): Upper's
# include of Lower passes, Lower's include of Upper and an include of a header no layer lists fail,
# each named.
#   cmake -DSOURCE=<source folder> -DSCRATCH=<empty folder> -P LayerCheck.cmake
file(REMOVE_RECURSE "${SCRATCH}")
file(WRITE "${SCRATCH}/Tavro/Lower/Lower.h" "#pragma once\n")
file(WRITE "${SCRATCH}/Tavro/Upper/Upper.h" "#pragma once\n#include \"Tavro/Lower/Lower.h\"\n")
set(manifest "${SCRATCH}/manifest.cmake")
file(WRITE "${manifest}" "set(TAVRO_TARGETS Lower Upper)
set(TAVRO_FILES_Lower ${SCRATCH}/Tavro/Lower/Lower.h ${SCRATCH}/Tavro/Lower/Lower.cpp)
set(TAVRO_USES_Lower Lower)
set(TAVRO_FILES_Upper ${SCRATCH}/Tavro/Upper/Upper.h)
set(TAVRO_USES_Upper Upper Lower)
")

# Runs the check with Lower.cpp holding `includes`; sets `output` and `failed`.
function(check includes)
    file(WRITE "${SCRATCH}/Tavro/Lower/Lower.cpp" "${includes}")
    execute_process(COMMAND ${CMAKE_COMMAND} -DMANIFEST=${manifest} -DROOT=${SCRATCH}
        -P ${SOURCE}/cmake/TavroCheckLayers.cmake
        OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE result)
    set(output "${out}" PARENT_SCOPE)
    set(failed ${result} PARENT_SCOPE)
endfunction()

check("#include \"Tavro/Lower/Lower.h\"\n")
if(failed)
    message(FATAL_ERROR "a layer's include of its own header was refused:\n${output}")
endif()

check("#include \"Tavro/Lower/Lower.h\"\n  #  include <Tavro/Upper/Upper.h>\n")
string(REGEX REPLACE "[ \n]+" " " output "${output}")
if(NOT failed OR NOT output MATCHES "Lower.cpp: Lower includes Tavro/Upper/Upper.h of Upper, which it does not link")
    message(FATAL_ERROR "an include up a layer passed:\n${output}")
endif()

check("#include \"Tavro/Lower/Missing.h\"\n")
string(REGEX REPLACE "[ \n]+" " " output "${output}")
if(NOT failed OR NOT output MATCHES "Lower.cpp: Tavro/Lower/Missing.h is in no target")
    message(FATAL_ERROR "an include of a header no layer lists passed:\n${output}")
endif()
file(REMOVE_RECURSE "${SCRATCH}")
