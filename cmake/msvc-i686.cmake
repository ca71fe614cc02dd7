# Cross build for 32-bit Windows in the Microsoft C++ ABI, the ABI of game
# clients built with Microsoft's compiler or clang-cl:
# - clang 14 for i686-pc-windows-msvc;
# - libc++ 14's headers alone (Debian: libc++-14-dev), in the Microsoft ABI;
#   what libc++ and vcruntime keep in compiled libraries comes from crt/;
# - the C and Windows headers of Wine's development package, for msvcrt.dll
#   (Debian: libwine-dev; scripts/fetch-wine.sh unpacks them without it);
# - lld-link, with import libraries that llvm-dlltool makes from crt/*.def.
# The project links every program and DLL with crt/ and those import
# libraries (cmake/MsvcRuntime.cmake); nothing else is linked in.
#
# Not available this way: whatever lives in libc++'s compiled library
# (iostreams, locale, filesystem, threads, to_chars, unordered_map's prime
# table). msvcrt's printf knows neither %zu nor %lld.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(ORVANE_MSVC_ABI ON)

find_program(ORVANE_CLANG NAMES clang-14 clang PATHS /usr/lib/llvm-14/bin REQUIRED)
find_program(ORVANE_CLANGXX NAMES clang++-14 clang++ PATHS /usr/lib/llvm-14/bin REQUIRED)
find_program(ORVANE_DLLTOOL NAMES llvm-dlltool-14 llvm-dlltool PATHS /usr/lib/llvm-14/bin REQUIRED)
find_program(CMAKE_AR NAMES llvm-ar-14 llvm-ar PATHS /usr/lib/llvm-14/bin REQUIRED)
find_program(CMAKE_RANLIB NAMES llvm-ranlib-14 llvm-ranlib PATHS /usr/lib/llvm-14/bin REQUIRED)
find_program(CMAKE_LINKER NAMES lld-link-14 lld-link PATHS /usr/lib/llvm-14/bin REQUIRED)
find_program(CMAKE_OBJDUMP NAMES llvm-objdump-14 llvm-objdump PATHS /usr/lib/llvm-14/bin)
find_program(ORVANE_READOBJ NAMES llvm-readobj-14 llvm-readobj PATHS /usr/lib/llvm-14/bin REQUIRED)
set(CMAKE_C_COMPILER ${ORVANE_CLANG})
set(CMAKE_CXX_COMPILER ${ORVANE_CLANGXX})
set(CMAKE_C_COMPILER_TARGET i686-pc-windows-msvc)
set(CMAKE_CXX_COMPILER_TARGET i686-pc-windows-msvc)

set(ORVANE_LIBCXX_INCLUDE /usr/lib/llvm-14/include/c++/v1 CACHE PATH "libc++ 14 headers")
set(ORVANE_WINE_INCLUDE /usr/include/wine/wine CACHE PATH
  "Wine's headers: the folder holding msvcrt/ and windows/")
foreach(dir ${ORVANE_LIBCXX_INCLUDE}/vector ${ORVANE_WINE_INCLUDE}/msvcrt/stdio.h
            ${ORVANE_WINE_INCLUDE}/windows/windows.h)
  if(NOT EXISTS ${dir})
    message(FATAL_ERROR "${dir} not found: install libc++-14-dev, and libwine-dev or run "
      "scripts/fetch-wine.sh and pass -DORVANE_WINE_INCLUDE=<its folder>/headers")
  endif()
endforeach()
# The compiler checks run before the project has built its runtime, so
# they only compile; try_compile passes these on.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ORVANE_LIBCXX_INCLUDE ORVANE_WINE_INCLUDE)

# libc++ header-only in the Microsoft ABI: no vcruntime, no extern
# templates or visibility annotations (nothing is imported from a libc++
# DLL), no automatic linking, no threads (the module runs on one thread).
# msvcrt.dll's own headers (_MSVCR_VER 0), behind our few corrections.
# Static locals need no guard on one thread; the guards would need the TLS
# support of a newer runtime.
get_filename_component(_orvane_crt_include ${CMAKE_CURRENT_LIST_DIR}/../crt/include ABSOLUTE)
set(_orvane_flags
  "-fms-extensions -fms-compatibility -fno-threadsafe-statics"
  "-nostdinc++ -nostdlibinc"
  "-isystem ${ORVANE_LIBCXX_INCLUDE} -isystem ${_orvane_crt_include}"
  "-isystem ${ORVANE_WINE_INCLUDE}/msvcrt -isystem ${ORVANE_WINE_INCLUDE}/windows"
  "-D_LIBCPP_NO_VCRUNTIME -D_LIBCPP_DISABLE_EXTERN_TEMPLATE"
  "-D_LIBCPP_DISABLE_VISIBILITY_ANNOTATIONS -D_LIBCPP_NO_AUTO_LINK -D_LIBCPP_HAS_NO_THREADS"
  # WCHAR is wchar_t, as in the Windows SDK, not Wine's default char16_t.
  "-D_MSVCR_VER=0 -DWINE_UNICODE_NATIVE -DWIN32_LEAN_AND_MEAN -DNOMINMAX"
  # The compiler flags reach the link lines, where the include ones mean nothing.
  "-Wno-unused-command-line-argument")
string(JOIN " " _orvane_flags ${_orvane_flags})
set(CMAKE_C_FLAGS_INIT "${_orvane_flags}")
set(CMAKE_CXX_FLAGS_INIT "${_orvane_flags}")
# No default libraries: the Orvane project links crt/ and the import
# libraries itself. Another project (a game client built against the SDK)
# names the folder where an Orvane build keeps them, ORVANE_CRT_DIR: they
# stand in for the client's own C runtime.
set(ORVANE_CRT_DIR "" CACHE PATH "Folder of orvane_crt.lib and the import libraries")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ORVANE_CRT_DIR)
set(_orvane_libs "")
if(ORVANE_CRT_DIR)
  foreach(lib orvane_crt msvcrt kernel32 user32)
    string(APPEND _orvane_libs " \"${ORVANE_CRT_DIR}/${lib}.lib\"")
  endforeach()
endif()
set(CMAKE_C_STANDARD_LIBRARIES "${_orvane_libs}" CACHE STRING "" FORCE)
set(CMAKE_CXX_STANDARD_LIBRARIES "${_orvane_libs}" CACHE STRING "" FORCE)
foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "-Wl,/nodefaultlib")
endforeach()

# Libraries and packages of the build machine are not for this target.
set(CMAKE_FIND_ROOT_PATH ${ORVANE_WINE_INCLUDE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
