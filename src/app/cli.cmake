# The window's command-line options. QtCore only, so the parser is tested without widgets.
add_library(app_cli STATIC
    ${CMAKE_CURRENT_LIST_DIR}/CommandLine.cpp
)
target_link_libraries(app_cli PUBLIC Qt6::Core adapter PRIVATE project_warnings)
vcm_include_root(app_cli app)
