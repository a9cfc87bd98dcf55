# Helpers for the Windows deliverables.

# quillon_check_exports(TARGET target DEF file.def)
# A test that reads the built DLL's export table and compares it with the
# names and ordinals of its .def file.
function(quillon_check_exports)
  cmake_parse_arguments(E "" "TARGET;DEF" "" ${ARGN})
  if(QUILLON_HOST)
    return()
  endif()
  add_test(NAME ${E_TARGET}_exports
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${QUILLON_OBJDUMP} -DBINARY=$<TARGET_FILE:${E_TARGET}>
            -DDEF=${E_DEF} -P ${PROJECT_SOURCE_DIR}/cmake/CheckExports.cmake)
endfunction()

# quillon_deliverable(target)
# A shipped binary: it is written to build/windows/bin, the one folder that is
# copied to a Windows machine.
function(quillon_deliverable target)
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endfunction()
