# The module: client/, net/, tasks/, ui/. Compiled once into an object
# library; the shared library (Orvane.dll) exports CTaskClientHelper alone,
# and the static library gives the tests the module's inner classes.
file(GLOB ORVANE_MODULE_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/client/*.cpp
  ${CMAKE_SOURCE_DIR}/net/*.cpp
  ${CMAKE_SOURCE_DIR}/tasks/*.cpp
  ${CMAKE_SOURCE_DIR}/ui/*.cpp)
list(FILTER ORVANE_MODULE_SOURCES EXCLUDE REGEX ".*/(DllMain|ModuleEntry)\\.cpp$")

add_library(orvane_objs OBJECT ${ORVANE_MODULE_SOURCES})
target_include_directories(orvane_objs PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_definitions(orvane_objs PUBLIC ORVANE_BUILD)
target_link_libraries(orvane_objs PUBLIC orvane_platform panelkit)

add_library(orvane_core STATIC $<TARGET_OBJECTS:orvane_objs>)
target_link_libraries(orvane_core PUBLIC orvane_objs)

if(WIN32)
  add_library(orvane SHARED $<TARGET_OBJECTS:orvane_objs> ${CMAKE_SOURCE_DIR}/client/DllMain.cpp)
  target_compile_definitions(orvane PRIVATE ORVANE_BUILD)
  set_target_properties(orvane PROPERTIES OUTPUT_NAME Orvane PREFIX "")
else()
  add_library(orvane SHARED $<TARGET_OBJECTS:orvane_objs> ${CMAKE_SOURCE_DIR}/client/ModuleEntry.cpp)
  target_link_options(orvane PRIVATE
    -Wl,--version-script=${CMAKE_SOURCE_DIR}/cmake/orvane.map -Wl,--no-undefined)
  set_property(TARGET orvane APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/cmake/orvane.map)
endif()
target_include_directories(orvane PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(orvane PRIVATE orvane_platform panelkit)
