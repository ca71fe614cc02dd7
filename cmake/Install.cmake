# The SDK a game client builds against: the module, the window toolkit it
# draws with, the headers a host includes, a CMake package (find_package
# (Orvane) gives Orvane::Orvane) and, on Linux, a pkg-config file. `cpack`
# archives the same.
include(CMakePackageConfigHelpers)

# Installing (and cpack) needs the SDK's libraries built, not every test.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(ORVANE_CONFIG_DEST lib/cmake/Orvane)

# The headers a client includes, as <orvane/client/...>: their own includes
# are rewritten to that form, so that only include/ need be on the path.
set(ORVANE_SDK_HEADERS
  client/TaskClientHelper.h
  client/ITaskClient.h
  client/HostInterfaces.h
  tasks/TaskRecords.h
  ui/TaskMainWnd.h
  ui/Panelkit.h
  ui/PanelkitApi.h
  ui/PanelkitControls.h
  ui/PanelkitDesktop.h
  ui/PanelkitDrawing.h
  ui/PanelkitWindow.h
  ui/ResObject.h
  platform/Win32.h)
foreach(header ${ORVANE_SDK_HEADERS})
  set(source ${CMAKE_SOURCE_DIR}/${header})
  set(copy ${CMAKE_BINARY_DIR}/sdk-include/orvane/${header})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  file(READ ${source} text)
  string(REGEX REPLACE "#include \"(client|net|tasks|ui|platform)/" "#include \"orvane/\\1/"
    text "${text}")
  set(old "")
  if(EXISTS ${copy})
    file(READ ${copy} old)
  endif()
  if(NOT old STREQUAL text)
    file(WRITE ${copy} "${text}")
  endif()
  get_filename_component(dir ${header} DIRECTORY)
  install(FILES ${copy} DESTINATION include/orvane/${dir} COMPONENT sdk)
endforeach()

# Clients written for the include names of 1.0 ("client/TaskClientHelper.h")
# link Orvane::LegacyIncludes as well until they move to <orvane/...>.
add_library(orvane_legacy_includes INTERFACE)
target_include_directories(orvane_legacy_includes INTERFACE $<INSTALL_INTERFACE:include/orvane>)

set_target_properties(orvane PROPERTIES EXPORT_NAME Orvane)
set_target_properties(panelkit PROPERTIES EXPORT_NAME Panelkit)
set_target_properties(orvane_legacy_includes PROPERTIES EXPORT_NAME LegacyIncludes)
set(ORVANE_SDK_TARGETS orvane panelkit orvane_legacy_includes)
if(NOT WIN32)
  # Stand-ins for the few Windows calls the module and the toolkit make.
  set_target_properties(orvane_win32 PROPERTIES EXPORT_NAME Win32)
  list(APPEND ORVANE_SDK_TARGETS orvane_win32)
endif()
# Everything in lib/: on Windows the DLLs, their import libraries and the
# module's .def; on Linux the shared libraries.
install(TARGETS ${ORVANE_SDK_TARGETS} EXPORT OrvaneTargets
  RUNTIME DESTINATION lib COMPONENT sdk
  LIBRARY DESTINATION lib COMPONENT sdk
  ARCHIVE DESTINATION lib COMPONENT sdk)
install(EXPORT OrvaneTargets NAMESPACE Orvane:: DESTINATION ${ORVANE_CONFIG_DEST}
  COMPONENT sdk)
if(NOT WIN32)
  # The installed libraries find each other beside themselves.
  set_target_properties(orvane panelkit PROPERTIES INSTALL_RPATH "$ORIGIN")
endif()
if(WIN32 AND NOT ORVANE_MSVC_ABI)
  target_link_options(orvane PRIVATE -Wl,--output-def,${CMAKE_BINARY_DIR}/lib/Orvane.def)
  install(FILES ${CMAKE_BINARY_DIR}/lib/Orvane.def DESTINATION lib COMPONENT sdk)
endif()

configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/OrvaneConfig.cmake.in
  ${CMAKE_BINARY_DIR}/OrvaneConfig.cmake INSTALL_DESTINATION ${ORVANE_CONFIG_DEST})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/OrvaneConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/OrvaneConfig.cmake ${CMAKE_BINARY_DIR}/OrvaneConfigVersion.cmake
  DESTINATION ${ORVANE_CONFIG_DEST} COMPONENT sdk)

if(NOT WIN32)
  # For builds without CMake: pkg-config --cflags --libs orvane.
  configure_file(${CMAKE_SOURCE_DIR}/cmake/orvane.pc.in ${CMAKE_BINARY_DIR}/orvane.pc @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/orvane.pc DESTINATION lib/pkgconfig COMPONENT sdk)
endif()

# The guides in the source tree's layout, so that their links to each other,
# to their pictures and to the example work where they are installed.
install(FILES ${CMAKE_SOURCE_DIR}/CHANGELOG.md DESTINATION share/doc/orvane COMPONENT sdk OPTIONAL)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/ DESTINATION share/doc/orvane/docs COMPONENT sdk
  FILES_MATCHING PATTERN "*.md" PATTERN "*.png")
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/minimal-host/
  DESTINATION share/doc/orvane/examples/minimal-host COMPONENT sdk)

# cpack: Orvane-<version>-win32.zip, Orvane-<version>-Linux.tar.gz.
set(CPACK_PACKAGE_NAME Orvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win32)
else()
  set(CPACK_GENERATOR TGZ)
  set(CPACK_SYSTEM_NAME Linux)
endif()
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME})
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
set(CPACK_COMPONENTS_ALL sdk)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};sdk;/")
include(CPack)
