# 32-bit Linux build with the build machine's GCC and -m32 (Debian:
# g++-multilib), for the suite under the sanitizers with the pointer and
# size_t widths of the real module. Counted as a cross build, so GoogleTest
# is built here for 32 bits (cmake/CrossDependencies.cmake); the programs run
# directly, or through qemu-i386 where the kernel runs no 32-bit processes.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)

find_program(ORVANE_GCC NAMES gcc REQUIRED)
find_program(ORVANE_GXX NAMES g++ REQUIRED)
set(CMAKE_C_COMPILER ${ORVANE_GCC})
set(CMAKE_CXX_COMPILER ${ORVANE_GXX})
set(CMAKE_C_FLAGS_INIT "-m32")
set(CMAKE_CXX_FLAGS_INIT "-m32")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
