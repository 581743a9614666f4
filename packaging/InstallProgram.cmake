# vcm_install_program(<target> [MAN_EXTRA <roff file>] [SUBCOMMANDS <name>...])
#
# Installs an executable into bin/ and, beside it, a man page written at build time from what the built
# program prints for --help (see HelpToMan.cmake), so the page lists exactly the options the program
# takes. Each of SUBCOMMANDS adds a section from `<program> <name> --help`. MAN_EXTRA is roff appended
# to the page for what --help does not say (exit status, files). The program's --help must need no
# display and no hardware.
#
# Each page is also recorded in the global property VCM_MAN_PAGES as "<target>|<page>|<a,b,...>" (the
# subcommands), for the tests.

set(VCM_HELP_TO_MAN ${CMAKE_CURRENT_LIST_DIR}/HelpToMan.cmake)

function(vcm_install_program target)
    cmake_parse_arguments(P "" "MAN_EXTRA" "SUBCOMMANDS" ${ARGN})
    string(REPLACE ";" "," subcommands "${P_SUBCOMMANDS}")
    install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    if(WIN32)
        # Windows shows an executable's own icon in the Explorer and the Start menu; it has no man pages.
        set(rc ${PROJECT_BINARY_DIR}/windows/${target}.rc)
        file(TO_CMAKE_PATH "${VCM_ICON_ICO}" ico)
        file(CONFIGURE OUTPUT ${rc} CONTENT "1 ICON \"${ico}\"\n")
        target_sources(${target} PRIVATE ${rc})
        set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${VCM_ICON_ICO})
        add_dependencies(${target} app_icon_files)
        return()
    endif()

    set(page ${PROJECT_BINARY_DIR}/man/${target}.1)
    add_custom_command(
        OUTPUT ${page}.gz
        COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DNAME=${target}
                -DVERSION=${PROJECT_VERSION} -DSECTION=1 -DEXTRA=${P_MAN_EXTRA} -DSUBCOMMANDS=${subcommands}
                -DOUTPUT=${page}
                -P ${VCM_HELP_TO_MAN}
        COMMAND gzip -9nf ${page}
        DEPENDS ${target} ${VCM_HELP_TO_MAN} ${P_MAN_EXTRA}
        COMMENT "Writing the man page of ${target} from its --help"
        VERBATIM)
    add_custom_target(${target}_man_page ALL DEPENDS ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    set_property(GLOBAL APPEND PROPERTY VCM_MAN_PAGES "${target}|${page}.gz|${subcommands}")
endfunction()
