# cmake -DMANIFEST=<written by tavro_check_layers> -DROOT=<source root> -P TavroCheckLayers.cmake
# Fails, naming each fault, when a file includes a "Tavro/..." header of a target its own target
# does not use, or one that no target lists.
cmake_minimum_required(VERSION 3.25)
include(${MANIFEST})

foreach(target IN LISTS TAVRO_TARGETS)
    foreach(file IN LISTS TAVRO_FILES_${target})
        set_property(GLOBAL PROPERTY "owner ${file}" ${target})
    endforeach()
endforeach()

set(faults "")
foreach(target IN LISTS TAVRO_TARGETS)
    foreach(file IN LISTS TAVRO_FILES_${target})
        file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]Tavro/")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[^\"<]*[\"<]([^\">]*)[\">].*$" "\\1" header "${line}")
            get_property(owner GLOBAL PROPERTY "owner ${ROOT}/${header}")
            if(NOT owner)
                string(APPEND faults "\n  ${file}: ${header} is in no target")
            elseif(NOT owner IN_LIST TAVRO_USES_${target})
                string(APPEND faults
                    "\n  ${file}: ${target} includes ${header} of ${owner}, which it does not link")
            endif()
        endforeach()
    endforeach()
endforeach()

if(faults)
    message(FATAL_ERROR "A layer includes what it may not use (link the layer, or call up through a "
        "callback or a signal):${faults}")
endif()
