# Installs the SDK from BUILD into WORK, builds the consumer against it out
# of the source tree, and runs it.
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
    include/orvane/ui/TaskMainWnd.h lib/cmake/Orvane/OrvaneConfig.cmake)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "the SDK lacks ${file}")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${WORK}/build
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the consumer does not configure:\n${out}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK}/build
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the consumer does not build:\n${out}")
endif()
execute_process(COMMAND ${WORK}/build/sdk_consumer RESULT_VARIABLE status OUTPUT_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out MATCHES "create 0, client null, commands ok")
  message(FATAL_ERROR "the consumer failed (${status}): ${out}")
endif()
