# Fails when the Windows DLL exports anything but the members of
# CTaskClientHelper (its member functions, its two class-wide members, its
# virtual table and type information), or lacks one of them.
# cmake -DDLL=Orvane.dll -DOBJDUMP=i686-w64-mingw32-objdump -P CheckExportsPE.cmake
if(NOT OBJDUMP)
  set(OBJDUMP i686-w64-mingw32-objdump)
endif()
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p failed on ${DLL}")
endif()

# The export names follow the "[Ordinal/Name Pointer] Table" heading, one per
# line as "[   n] name", up to the next blank line.
string(REPLACE "\n" ";" lines "${dump}")
set(in_table FALSE)
set(names "")
foreach(line IN LISTS lines)
  if(line MATCHES "^\\[Ordinal/Name Pointer\\] Table")
    set(in_table TRUE)
  elseif(in_table)
    if(line MATCHES "^[ \t]*\\[ *[0-9]+\\] +([^ \t]+)$")
      list(APPEND names "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^[ \t]*$")
      break()
    endif()
  endif()
endforeach()
if(NOT names)
  message(FATAL_ERROR "${DLL} exports nothing (no export name table in objdump -p)")
endif()

# Demangle to read the owners of the names (c++filt takes them as arguments).
string(REGEX REPLACE "objdump(\\.exe)?$" "c++filt" cxxfilt "${OBJDUMP}")
# -n: the names carry no extra leading underscore (i686 targets expect one).
execute_process(COMMAND ${cxxfilt} -n ${names} OUTPUT_VARIABLE demangled RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${cxxfilt} failed; it is needed to read the export names")
endif()
string(STRIP "${demangled}" demangled)
string(REPLACE "\n" ";" demangled "${demangled}")

set(required
  "CTaskClientHelper::CTaskClientHelper()"
  "CTaskClientHelper::CTaskClientHelper(CTaskClientHelper const&)"
  "CTaskClientHelper::~CTaskClientHelper()"
  "CTaskClientHelper::operator=(CTaskClientHelper const&)"
  "CTaskClientHelper::Create(CGlobalClient*)"
  "CTaskClientHelper::Close()"
  "CTaskClientHelper::GetITaskClient()"
  "CTaskClientHelper::m_pTaskClient"
  "CTaskClientHelper::m_hDll"
  "vtable for CTaskClientHelper")
set(failed FALSE)
foreach(name IN LISTS demangled)
  if(NOT name MATCHES "^CTaskClientHelper::" AND
     NOT name MATCHES "^(vtable|typeinfo|typeinfo name) for CTaskClientHelper$")
    message(SEND_ERROR "unexpected export: ${name}")
    set(failed TRUE)
  endif()
endforeach()
foreach(name IN LISTS required)
  list(FIND demangled "${name}" at)
  if(at EQUAL -1)
    message(SEND_ERROR "missing export: ${name}")
    set(failed TRUE)
  endif()
endforeach()
string(REPLACE ";" "\n  " shown "${demangled}")
message(STATUS "exports of ${DLL}:\n  ${shown}")
if(failed)
  message(FATAL_ERROR "${DLL} must export CTaskClientHelper's members and nothing else")
endif()
