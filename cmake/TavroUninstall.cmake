# Removes every file that `cmake --install` put in place, as its manifest lists them, and the folders
# of Tavro's own that are left empty.
#   cmake -DMANIFEST=build/install_manifest.txt -P TavroUninstall.cmake
if(NOT EXISTS "${MANIFEST}")
    message(FATAL_ERROR "Nothing to uninstall: ${MANIFEST} is missing (it is written by cmake --install)")
endif()
# One path a line; paths are UTF-8, whose bytes beyond ASCII plain file(STRINGS) would cut at.
file(STRINGS "${MANIFEST}" files ENCODING UTF-8)
set(folders "")
foreach(file IN LISTS files)
    if(EXISTS "${file}" OR IS_SYMLINK "${file}")
        message(STATUS "Removing ${file}")
        file(REMOVE "${file}")
    endif()
    # Tavro's own folders: the application's, under libexec/tavro.
    if(IS_ABSOLUTE "${file}" AND file MATCHES "^(.*/libexec/tavro)/")
        list(APPEND folders "${CMAKE_MATCH_1}")
    endif()
endforeach()
list(REMOVE_DUPLICATES folders)
foreach(folder IN LISTS folders)
    message(STATUS "Removing ${folder}")
    file(REMOVE_RECURSE "${folder}")
endforeach()
