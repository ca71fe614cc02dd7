# Cross build for 32-bit Windows with the mingw-w64 i686 compilers
# (Debian: g++-mingw-w64-i686). The posix thread model gives the full C++
# thread library; its runtime is linked statically with everything else.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(ORVANE_MINGW_TRIPLE i686-w64-mingw32)

# Prefer the posix flavour of the compilers; fall back to the default ones.
find_program(ORVANE_MINGW_CC NAMES ${ORVANE_MINGW_TRIPLE}-gcc-posix ${ORVANE_MINGW_TRIPLE}-gcc REQUIRED)
find_program(ORVANE_MINGW_CXX NAMES ${ORVANE_MINGW_TRIPLE}-g++-posix ${ORVANE_MINGW_TRIPLE}-g++ REQUIRED)
set(CMAKE_C_COMPILER ${ORVANE_MINGW_CC})
set(CMAKE_CXX_COMPILER ${ORVANE_MINGW_CXX})
set(CMAKE_RC_COMPILER ${ORVANE_MINGW_TRIPLE}-windres)
set(CMAKE_OBJDUMP ${ORVANE_MINGW_TRIPLE}-objdump)

# Libraries and packages come from the cross sysroot only; header-only
# packages from the build machine are allowed in explicitly where needed.
set(CMAKE_FIND_ROOT_PATH /usr/${ORVANE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run under Wine unless the caller names another launcher.
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(ORVANE_WINE NAMES wine)
  if(ORVANE_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ORVANE_WINE})
  endif()
endif()
