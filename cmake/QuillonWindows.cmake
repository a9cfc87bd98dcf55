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
