# Installs the build into a temporary prefix under a home whose name has a space and letters beyond
# ASCII, checks that only what the program reads at run time is installed, then uninstalls it and
# checks that no file is left.
#   cmake -DBUILD=<build folder> -DSOURCE=<source folder> -DSCRATCH=<empty folder> -P InstallAndUninstall.cmake
set(prefix "${SCRATCH}/Jürgen Ölmann/.local")
file(REMOVE_RECURSE "${SCRATCH}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${prefix}" OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cmake --install failed")
endif()
foreach(wanted bin/tavro libexec/tavro/tavro-app libexec/tavro/tavro-fetch libexec/tavro/Tavro_Tavro.bundle/emoji.json
        share/applications/tavro.desktop)
    if(NOT EXISTS "${prefix}/${wanted}")
        message(FATAL_ERROR "not installed: ${wanted}")
    endif()
endforeach()
foreach(unwanted desktop translations)
    if(EXISTS "${prefix}/libexec/tavro/Tavro_Tavro.bundle/${unwanted}")
        message(FATAL_ERROR "installed although the program never reads it: ${unwanted}")
    endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -DMANIFEST=${BUILD}/install_manifest.txt -P ${SOURCE}/cmake/TavroUninstall.cmake
    OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "the uninstall failed")
endif()
file(GLOB_RECURSE left "${SCRATCH}/*")
if(left)
    message(FATAL_ERROR "left behind: ${left}")
endif()
file(REMOVE_RECURSE "${SCRATCH}")
