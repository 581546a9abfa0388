# The layer check: a file of a Tavro library or program includes headers of its own target and of
# the targets it may use, which are those it links and what they hand on (link PUBLIC), as CMake
# hands usage requirements on. A header that no target lists is refused too. The targets and their
# links are read from the build itself, so a new file or a new link needs nothing here.

# `target` and what each non-imported target named in its `property` hands on.
function(tavro_with_handed_on target property out)
    set(result ${target})
    get_target_property(links ${target} ${property})
    foreach(link IN LISTS links)
        if(TARGET ${link})
            get_target_property(imported ${link} IMPORTED)
            if(NOT imported)
                tavro_handed_on(${link} handed)
                list(APPEND result ${handed})
            endif()
        endif()
    endforeach()
    list(REMOVE_DUPLICATES result)
    set(${out} ${result} PARENT_SCOPE)
endfunction()

# The non-imported targets that `target` hands on to whoever links it, itself included.
function(tavro_handed_on target out)
    tavro_with_handed_on(${target} INTERFACE_LINK_LIBRARIES result)
    set(${out} ${result} PARENT_SCOPE)
endfunction()

# The targets whose headers a file of `target` may include.
function(tavro_usable_targets target out)
    tavro_with_handed_on(${target} LINK_LIBRARIES result)
    set(${out} ${result} PARENT_SCOPE)
endfunction()

# Checks the targets made in `directory` before any of them is built: a file that includes a header
# of a target its own does not use fails the build, with the file, the header and both targets named.
function(tavro_check_layers directory)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    set(manifest "set(TAVRO_TARGETS [[${targets}]])\n")
    set(checked "")
    foreach(target IN LISTS targets)
        get_target_property(sources ${target} SOURCES)
        get_target_property(source_dir ${target} SOURCE_DIR)
        set(files "")
        foreach(source IN LISTS sources)
            cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${source_dir} NORMALIZE OUTPUT_VARIABLE file)
            list(APPEND files ${file})
        endforeach()
        tavro_usable_targets(${target} usable)
        string(APPEND manifest
            "set(TAVRO_FILES_${target} [[${files}]])\n"
            "set(TAVRO_USES_${target} [[${usable}]])\n")
        list(APPEND checked ${files})
    endforeach()
    set(manifest_file ${CMAKE_CURRENT_BINARY_DIR}/TavroLayers.manifest.cmake)
    file(CONFIGURE OUTPUT ${manifest_file} CONTENT "${manifest}" @ONLY)
    set(script ${PROJECT_SOURCE_DIR}/cmake/TavroCheckLayers.cmake)
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/TavroLayers.checked)
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -DMANIFEST=${manifest_file} -DROOT=${PROJECT_SOURCE_DIR} -P ${script}
        COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
        DEPENDS ${checked} ${script} ${manifest_file}
        COMMENT "Checking that each layer includes only the layers it links"
        VERBATIM)
    add_custom_target(TavroLayerCheck DEPENDS ${stamp})
    # Whatever is built of them, the check comes first.
    foreach(target IN LISTS targets)
        add_dependencies(${target} TavroLayerCheck)
    endforeach()
endfunction()
