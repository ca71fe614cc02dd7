# The runtime of the Microsoft-ABI build (cmake/msvc-i686.cmake): import
# libraries for the system DLLs, made from crt/*.def, and crt/, which holds
# what vcruntime and libc++'s compiled library would give. Every program and
# DLL of the build links them, and nothing else.
set(ORVANE_IMPORT_LIBS "")
foreach(dll msvcrt kernel32 user32)
  set(def ${CMAKE_SOURCE_DIR}/crt/${dll}.def)
  set(lib ${CMAKE_BINARY_DIR}/crt/${dll}.lib)
  # -k: the .def names stdcall functions with their argument size (@12),
  # which the DLL's export names do not carry.
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/crt
    COMMAND ${ORVANE_DLLTOOL} -m i386 -k -d ${def} -l ${lib}
    DEPENDS ${def}
    COMMENT "Import library ${dll}.lib")
  list(APPEND ORVANE_IMPORT_LIBS ${lib})
endforeach()
add_custom_target(orvane_import_libs DEPENDS ${ORVANE_IMPORT_LIBS})

add_library(orvane_crt STATIC
  ${CMAKE_SOURCE_DIR}/crt/DefaultDllMain.cpp
  ${CMAKE_SOURCE_DIR}/crt/DllEntry.cpp
  ${CMAKE_SOURCE_DIR}/crt/Exceptions.cpp
  ${CMAKE_SOURCE_DIR}/crt/Helpers.cpp
  ${CMAKE_SOURCE_DIR}/crt/ExeEntry.cpp
  ${CMAKE_SOURCE_DIR}/crt/New.cpp
  ${CMAKE_SOURCE_DIR}/crt/SharedCount.cpp
  ${CMAKE_SOURCE_DIR}/crt/Startup.cpp
  ${CMAKE_SOURCE_DIR}/crt/ToString.cpp)
target_include_directories(orvane_crt PRIVATE ${CMAKE_SOURCE_DIR})
# Beside the import libraries, where a client built out of the tree with the
# toolchain finds it (ORVANE_CRT_DIR).
set_target_properties(orvane_crt PROPERTIES ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/crt)
add_dependencies(orvane_crt orvane_import_libs)
# The runtime library comes before the import libraries on every link line,
# so that its atexit is the one the compiler's calls reach.
target_link_libraries(orvane_crt INTERFACE ${ORVANE_IMPORT_LIBS})
# Only in this build tree: an installed client links the runtime of its own build.
link_libraries($<BUILD_INTERFACE:orvane_crt>)
