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
# A check of a shipped binary (its export table, its stripped sections), run
# in the 32-bit tree only. It needs no Wine, so it runs on every machine.
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

# quillon_strip_to_debug_file(target)
# Moves the binary's debug information and symbols into
# <tree>/debug/<file>.debug and leaves the binary stripped, with a debug link
# (file name and checksum) to that file. The objects are compiled once, with
# line tables, for the shipped binaries and the test programs alike.
function(quillon_strip_to_debug_file target)
  set(debug_file ${CMAKE_BINARY_DIR}/debug/$<TARGET_FILE_NAME:${target}>.debug)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/debug
    COMMAND ${QUILLON_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> ${debug_file}
    COMMAND ${QUILLON_OBJCOPY} --strip-all --add-gnu-debuglink=${debug_file} $<TARGET_FILE:${target}>
    VERBATIM)
  quillon_add_export_test(NAME ${target}_stripped TARGET ${target}
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${QUILLON_OBJDUMP} -DBINARY=$<TARGET_FILE:${target}> -DDEBUG_FILE=${debug_file}
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckStripped.cmake)
endfunction()

# quillon_deliverable(target)
# A shipped binary: it is written to <tree>/bin, the one folder that is
# copied to a Windows machine, and built by `deliverables`. In the shipped
# width it is stripped, its debug information kept in <tree>/debug.
function(quillon_deliverable target)
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  add_dependencies(deliverables ${target})
  if(QUILLON_SHIPPED_WIDTH)
    quillon_strip_to_debug_file(${target})
  endif()
endfunction()
