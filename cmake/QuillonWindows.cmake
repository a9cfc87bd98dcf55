# Helpers for the Windows deliverables.
#
# The shipped binaries are 32-bit; the same tree also builds for x86_64 so that
# its tests run on machines that cannot execute 32-bit code. Checks of what is
# shipped (export tables) belong to the 32-bit tree only.
if(NOT QUILLON_HOST AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(QUILLON_SHIPPED_WIDTH ON)
else()
  set(QUILLON_SHIPPED_WIDTH OFF)
endif()

# `deliverables` builds the shipped binaries and what they link, nothing else.
if(NOT QUILLON_HOST)
  add_custom_target(deliverables)
endif()

# quillon_add_export_test(NAME name TARGET target COMMAND ...)
# A check of a shipped binary's export table, run in the 32-bit tree only.
# It needs no Wine, so it runs on every machine.
function(quillon_add_export_test)
  cmake_parse_arguments(E "" "NAME;TARGET" "COMMAND" ${ARGN})
  if(NOT QUILLON_SHIPPED_WIDTH)
    return()
  endif()
  add_test(NAME ${E_NAME} COMMAND ${E_COMMAND})
  set_tests_properties(${E_NAME} PROPERTIES LABELS exports)
endfunction()

# quillon_check_exports(TARGET target DEF file.def)
# Compares the built DLL's export table with the names and ordinals of its .def file.
function(quillon_check_exports)
  cmake_parse_arguments(E "" "TARGET;DEF" "" ${ARGN})
  quillon_add_export_test(NAME ${E_TARGET}_exports TARGET ${E_TARGET}
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${QUILLON_OBJDUMP} -DBINARY=$<TARGET_FILE:${E_TARGET}>
            -DDEF=${E_DEF} -P ${PROJECT_SOURCE_DIR}/cmake/CheckExports.cmake)
endfunction()

# quillon_deliverable(target)
# A shipped binary: it is written to <tree>/bin, the one folder that is
# copied to a Windows machine, and built by `deliverables`.
function(quillon_deliverable target)
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  add_dependencies(deliverables ${target})
endfunction()
