# Dependencies for a cross build (32-bit Windows with mingw-w64, or 32-bit
# Linux with -m32). Debian ships
# GoogleTest, nlohmann-json and stb for the build machine only:
# - GoogleTest is built here from its source package with the cross compiler;
# - the header-only libraries are reached through folders that hold them
#   alone, never through the build machine's whole /usr/include, whose C
#   library headers must not mix with the cross compiler's.
# Each can be pointed elsewhere through its cache variable.

set(ORVANE_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources built for the cross target")
set(ORVANE_NLOHMANN_JSON_INCLUDE /usr/include CACHE PATH "Folder holding nlohmann/json.hpp")
set(STB_INCLUDE_DIR /usr/include/stb CACHE PATH "Folder holding stb_image.h")

if(ORVANE_TESTS AND NOT TARGET GTest::gtest)
  if(NOT EXISTS ${ORVANE_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found in ${ORVANE_GOOGLETEST_SOURCE} (Debian: googletest)")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  # GoogleTest's headers pick Windows threads on mingw; the library must be
  # built the same way, or its classes differ between library and tests.
  # A 32-bit Linux build keeps pthreads, as its headers do.
  if(WIN32)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  endif()
  add_subdirectory(${ORVANE_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  foreach(lib gtest gtest_main gmock gmock_main)
    # Its warnings are not ours to mend.
    set_target_properties(${lib} PROPERTIES COMPILE_WARNING_AS_ERROR OFF)
    if(NOT TARGET GTest::${lib})
      add_library(GTest::${lib} ALIAS ${lib})
    endif()
  endforeach()
endif()

# A package configuration for nlohmann_json, so that find_package(nlohmann_json)
# finds the header-only library in the cross build as it does natively.
if(NOT EXISTS ${ORVANE_NLOHMANN_JSON_INCLUDE}/nlohmann/json.hpp)
  message(FATAL_ERROR "nlohmann/json.hpp not found in ${ORVANE_NLOHMANN_JSON_INCLUDE} (Debian: nlohmann-json3-dev)")
endif()
set(_orvane_json_dir ${CMAKE_BINARY_DIR}/cross-packages/nlohmann_json)
file(MAKE_DIRECTORY ${_orvane_json_dir}/include)
file(CREATE_LINK ${ORVANE_NLOHMANN_JSON_INCLUDE}/nlohmann ${_orvane_json_dir}/include/nlohmann SYMBOLIC)
# The version macros live in detail/abi_macros.hpp since 3.11, in json.hpp before.
set(_orvane_json_version_header ${ORVANE_NLOHMANN_JSON_INCLUDE}/nlohmann/detail/abi_macros.hpp)
if(NOT EXISTS ${_orvane_json_version_header})
  set(_orvane_json_version_header ${ORVANE_NLOHMANN_JSON_INCLUDE}/nlohmann/json.hpp)
endif()
file(STRINGS ${_orvane_json_version_header} _orvane_json_version
     REGEX "#define NLOHMANN_JSON_VERSION_(MAJOR|MINOR|PATCH) +[0-9]+")
string(REGEX REPLACE ".*MAJOR +([0-9]+).*MINOR +([0-9]+).*PATCH +([0-9]+).*" "\\1.\\2.\\3"
       _orvane_json_version "${_orvane_json_version}")
string(REGEX REPLACE "\\..*" "" _orvane_json_major "${_orvane_json_version}")
# The Microsoft-ABI build has no std::filesystem: the library leaves out its
# conversions of paths.
set(_orvane_json_defines "")
if(ORVANE_MSVC_ABI)
  set(_orvane_json_defines "JSON_HAS_FILESYSTEM=0;JSON_HAS_EXPERIMENTAL_FILESYSTEM=0")
endif()
file(WRITE ${_orvane_json_dir}/nlohmann_jsonConfig.cmake
"if(NOT TARGET nlohmann_json::nlohmann_json)
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES \"${_orvane_json_dir}/include\"
    INTERFACE_COMPILE_DEFINITIONS \"${_orvane_json_defines}\")
endif()
")
file(WRITE ${_orvane_json_dir}/nlohmann_jsonConfigVersion.cmake
"set(PACKAGE_VERSION \"${_orvane_json_version}\")
if(PACKAGE_FIND_VERSION_MAJOR STREQUAL \"\" OR (PACKAGE_FIND_VERSION_MAJOR STREQUAL \"${_orvane_json_major}\" AND NOT PACKAGE_VERSION VERSION_LESS PACKAGE_FIND_VERSION))
  set(PACKAGE_VERSION_COMPATIBLE TRUE)
else()
  set(PACKAGE_VERSION_COMPATIBLE FALSE)
endif()
if(PACKAGE_FIND_VERSION STREQUAL PACKAGE_VERSION)
  set(PACKAGE_VERSION_EXACT TRUE)
endif()
")
set(nlohmann_json_DIR ${_orvane_json_dir} CACHE PATH "" FORCE)
