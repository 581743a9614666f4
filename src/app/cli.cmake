# Command-line options and the adapter they choose. QtCore only, so the parser is tested without widgets.
add_library(app_cli STATIC
    ${CMAKE_CURRENT_LIST_DIR}/CommandLine.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AdapterFactory.cpp
)
target_link_libraries(app_cli PUBLIC Qt6::Core adapter PRIVATE project_warnings)
