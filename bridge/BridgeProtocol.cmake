# The bridge's wire format, plain C++ (no Qt, no Windows headers): one small library that both ends
# build from here, the bridge (bridge/CMakeLists.txt) and the program's client of it
# (src/adapter/bridge). Its users include "BridgeProtocol.h".
add_library(bridge_protocol STATIC ${CMAKE_CURRENT_LIST_DIR}/BridgeProtocol.cpp)
target_include_directories(bridge_protocol PUBLIC ${CMAKE_CURRENT_LIST_DIR})
set_target_properties(bridge_protocol PROPERTIES AUTOMOC OFF)
