# Each library publishes only its own folder: `vcm_include_root(target folder)` makes "<folder>/X.h"
# resolve for the target and for whatever links it, and for nothing else. The include root is a folder in
# the build tree holding one link to the source folder, so an include of a folder the target does not
# link fails to compile, as each folder's README promises.
function(vcm_include_root target folder)
    string(REPLACE "/" "_" flat "${folder}")
    set(root "${PROJECT_BINARY_DIR}/include-roots/${flat}")
    set(link "${root}/${folder}")
    if(NOT EXISTS "${link}")
        get_filename_component(parent "${link}" DIRECTORY)
        file(MAKE_DIRECTORY "${parent}")
        file(CREATE_LINK "${PROJECT_SOURCE_DIR}/src/${folder}" "${link}" SYMBOLIC)
    endif()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} INTERFACE "${root}")
    else()
        target_include_directories(${target} PUBLIC "${root}")
    endif()
endfunction()
