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
foreach(wanted bin/tavro libexec/tavro/tavro-app libexec/tavro/tavro-forward.so libexec/tavro/tavro-fetch libexec/tavro/Tavro_Tavro.bundle/emoji.json
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
# The installed command finds the programs it becomes in libexec: the application where no Tavro
# listens, the forwarder where a socket is there (a file nobody listens on). Either reads the
# argument and refuses it.
set(home "${SCRATCH}/home")
set(runtime "${SCRATCH}/runtime")
file(MAKE_DIRECTORY "${home}" "${runtime}")
string(SHA256 key "${home}")
string(SUBSTRING "${key}" 0 16 key)
foreach(road application forwarder)
    if(road STREQUAL "forwarder")
        file(TOUCH "${runtime}/tavro-${key}.sock")
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E env HOME=${home} XDG_RUNTIME_DIR=${runtime} QT_QPA_PLATFORM=offscreen
            "${prefix}/bin/tavro" mailto:someone@example.test
        RESULT_VARIABLE status ERROR_VARIABLE said)
    if(NOT status EQUAL 1 OR NOT said STREQUAL "Tavro: not a web link or a file: mailto:someone@example.test\n")
        message(FATAL_ERROR "the installed tavro, to the ${road}, ended with ${status}: ${said}")
    endif()
endforeach()
file(REMOVE_RECURSE "${home}" "${runtime}")

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
