# cmake -DOBJDUMP=... -DBINARY=... -DCLASSES="A;B" -P CheckClassExports.cmake
# Every listed class must have exported members (decorated names holding the
# class name) in the DLL's export table, and nothing of the C++ runtime may be
# exported with them.
execute_process(COMMAND ${OBJDUMP} -p ${BINARY} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${BINARY}")
endif()
string(FIND "${dump}" "[Ordinal/Name Pointer] Table" at)
if(at LESS 0)
  message(FATAL_ERROR "${BINARY} has no export table")
endif()
string(SUBSTRING "${dump}" ${at} -1 names)
string(REGEX REPLACE "\n\n.*" "" names "${names}")
foreach(class IN LISTS CLASSES)
  string(LENGTH "${class}" n)
  if(NOT names MATCHES "_ZN[K]?${n}${class}")
    message(FATAL_ERROR "class ${class} is not exported by ${BINARY}")
  endif()
endforeach()
if(names MATCHES "_ZNSt|_ZSt|__cxa_")
  message(FATAL_ERROR "the C++ runtime leaks into the export table of ${BINARY}")
endif()
message(STATUS "exported classes: ${CLASSES}")
