# The module: one layer per folder (cmake/Layers.cmake), whose objects make
# the shared library (Orvane.dll), which exports CTaskClientHelper alone,
# and the static library that gives the tests the module's inner classes.
foreach(folder client net tasks ui)
  add_subdirectory(${folder})
endforeach()
orvane_layer_roots()

set(ORVANE_MODULE_OBJECTS
  $<TARGET_OBJECTS:orvane_client> $<TARGET_OBJECTS:orvane_net>
  $<TARGET_OBJECTS:orvane_tasks> $<TARGET_OBJECTS:orvane_ui>)

add_library(orvane_core STATIC ${ORVANE_MODULE_OBJECTS})
target_include_directories(orvane_core PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_definitions(orvane_core PUBLIC ORVANE_BUILD)
target_link_libraries(orvane_core PUBLIC orvane_platform panelkit)

# The entry point the system calls when it loads the library.
if(WIN32)
  add_library(orvane_entry OBJECT ${CMAKE_SOURCE_DIR}/client/DllMain.cpp)
else()
  add_library(orvane_entry OBJECT ${CMAKE_SOURCE_DIR}/client/ModuleEntry.cpp)
endif()
orvane_layer_includes(orvane_entry client)

add_library(orvane SHARED ${ORVANE_MODULE_OBJECTS} $<TARGET_OBJECTS:orvane_entry>)
if(WIN32)
  set_target_properties(orvane PROPERTIES OUTPUT_NAME Orvane PREFIX "")
else()
  target_link_options(orvane PRIVATE
    -Wl,--version-script=${CMAKE_SOURCE_DIR}/cmake/orvane.map -Wl,--no-undefined)
  set_property(TARGET orvane APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/cmake/orvane.map)
endif()
# Programs of this tree include the headers by their folders; an installed
# SDK's clients by <orvane/...> (cmake/Install.cmake).
target_include_directories(orvane INTERFACE
  $<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}> $<INSTALL_INTERFACE:include>)
target_link_libraries(orvane PRIVATE orvane_platform PUBLIC panelkit)
