# Installs the SDK from BUILD into WORK, builds a client (SOURCE, the program
# PROGRAM) against it out of the source tree with the same compiler, runs it
# in a fresh folder and matches its output against EXPECT.
#   CXX        the compiler of a native build
#   TOOLCHAIN  the toolchain file of a cross build (instead of CXX)
#   EMULATOR   what runs the cross build's programs (Wine), a ;-list
#   EXE_SUFFIX the target's program suffix (.exe on Windows)
#   EXTRA      more arguments for the client's configuration, separated by '|'
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/sdk)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix} --component sdk
  RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
foreach(file include/orvane/client/TaskClientHelper.h include/orvane/client/ITaskClient.h
    include/orvane/client/HostInterfaces.h include/orvane/tasks/TaskRecords.h
    include/orvane/ui/TaskMainWnd.h lib/cmake/Orvane/OrvaneConfig.cmake
    lib/cmake/Orvane/OrvaneConfigVersion.cmake lib/cmake/Orvane/OrvaneTargets.cmake)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "the SDK lacks ${file}")
  endif()
endforeach()
# The guides come with every page and picture they link: each relative link
# of an installed page names an installed file.
file(GLOB_RECURSE pages ${prefix}/share/doc/orvane/*.md)
if(NOT EXISTS ${prefix}/share/doc/orvane/docs/integrating.md)
  message(FATAL_ERROR "the SDK lacks share/doc/orvane/docs/integrating.md")
endif()
foreach(page ${pages})
  file(READ ${page} text)
  get_filename_component(dir ${page} DIRECTORY)
  # Square brackets would group the elements of a CMake list: take them out.
  string(REPLACE "](" "\nLINK(" text "${text}")
  string(REPLACE "[" "" text "${text}")
  string(REPLACE "]" "" text "${text}")
  string(REGEX MATCHALL "LINK\\([^)]+\\)" links "${text}")
  foreach(link ${links})
    string(REGEX REPLACE "^LINK\\(([^)#]*).*\\)$" "\\1" target "${link}")
    if(target STREQUAL "" OR target MATCHES "^[a-z]+:")
      continue()
    endif()
    if(NOT EXISTS ${dir}/${target})
      message(FATAL_ERROR "${page} links ${target}, which is not installed")
    endif()
  endforeach()
endforeach()
if(TOOLCHAIN)
  # A cross toolchain searches its own root for packages only; Orvane_DIR
  # names the package's folder outright.
  set(compiler -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DOrvane_DIR=${prefix}/lib/cmake/Orvane)
else()
  set(compiler -DCMAKE_CXX_COMPILER=${CXX})
endif()
string(REPLACE "|" ";" extra "${EXTRA}")
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${WORK}/build
    -DCMAKE_PREFIX_PATH=${prefix} ${compiler} ${extra}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the client does not configure:\n${out}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK}/build
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the client does not build:\n${out}")
endif()
set(program ${WORK}/build/${PROGRAM}${EXE_SUFFIX})
file(MAKE_DIRECTORY ${WORK}/run)
execute_process(COMMAND ${EMULATOR} ${program} WORKING_DIRECTORY ${WORK}/run
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out MATCHES "${EXPECT}")
  message(FATAL_ERROR "${PROGRAM} failed (${status}):\n${out}${err}")
endif()
message(STATUS "${out}")

# Without CMake: the same client through pkg-config, where the SDK has its
# file (Linux) and this machine the program.
find_program(PKG_CONFIG pkg-config)
if(PCSOURCES AND CXX AND PKG_CONFIG AND EXISTS ${prefix}/lib/pkgconfig/orvane.pc)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${prefix}/lib/pkgconfig
      ${PKG_CONFIG} --cflags --libs orvane
    RESULT_VARIABLE status OUTPUT_VARIABLE flags ERROR_VARIABLE err OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "pkg-config does not know orvane: ${err}")
  endif()
  separate_arguments(flags UNIX_COMMAND "${flags}")
  string(REPLACE "|" ";" sources "${PCSOURCES}")
  list(TRANSFORM sources PREPEND ${SOURCE}/)
  execute_process(COMMAND ${CXX} -std=c++20 ${sources} ${flags} -I${prefix}/include/orvane
      -o ${WORK}/pc-client
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the client does not build with pkg-config's flags:\n${out}")
  endif()
  execute_process(COMMAND ${WORK}/pc-client WORKING_DIRECTORY ${WORK}/run
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0 OR NOT out MATCHES "${EXPECT}")
    message(FATAL_ERROR "the pkg-config client failed (${status}):\n${out}${err}")
  endif()
endif()
