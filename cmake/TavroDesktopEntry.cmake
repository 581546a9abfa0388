# Writes Tavro's desktop entry for a `tavro` installed in BINDIR. The Exec line quotes a path that
# needs it, so a home whose name holds a space, a quote or a dollar sign still starts Tavro; TryExec
# names the same program, so that a desktop skips the entry once Tavro has been removed.
#
# Included by the build, or run as a script:
#   cmake -DTEMPLATE=tavro.desktop.in -DBINDIR=/usr/local/bin -DOUTPUT=tavro.desktop -P TavroDesktopEntry.cmake

# A desktop entry's string value: each backslash doubled.
function(tavro_desktop_entry_string text result)
    string(REPLACE "\\" "\\\\" text "${text}")
    set(${result} "${text}" PARENT_SCOPE)
endfunction()

function(tavro_write_desktop_entry template bindir output)
    set(program "${bindir}/tavro")
    set(argument "${program}")
    # An argument of Exec with a reserved character is quoted whole: in double quotes, with ", `, $
    # and \ behind a backslash. Any other stays bare, since the openers of desktops without an
    # environment of their own (xdg-open's, xdg-settings') take a quote for part of the path.
    if(program MATCHES "[ \t\n\"'\\><~|&;$*?#()`]")
        string(REPLACE "\\" "\\\\" argument "${argument}")
        string(REPLACE "\"" "\\\"" argument "${argument}")
        string(REPLACE "`" "\\`" argument "${argument}")
        string(REPLACE "$" "\\$" argument "${argument}")
        set(argument "\"${argument}\"")
    endif()
    # Every literal percent sign of Exec is doubled; the string rule then applies on top.
    string(REPLACE "%" "%%" argument "${argument}")
    tavro_desktop_entry_string("${argument}" TAVRO_DESKTOP_EXEC)
    tavro_desktop_entry_string("${program}" TAVRO_DESKTOP_TRY_EXEC)
    configure_file("${template}" "${output}" @ONLY)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    tavro_write_desktop_entry("${TEMPLATE}" "${BINDIR}" "${OUTPUT}")
endif()
