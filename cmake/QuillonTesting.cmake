# GoogleTest built from Debian's source package, and the helpers that declare tests.

set(QUILLON_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${QUILLON_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(t gtest gtest_main gmock gmock_main)
  if(TARGET ${t})
    target_compile_options(${t} PRIVATE -w)
  endif()
endforeach()

# A Windows tree built only for its shipped binaries (on a machine whose
# Windows tests run in the tree of the other width) declares its test programs
# but registers none of them with ctest.
option(QUILLON_WINDOWS_TESTS "Register the Windows test programs with ctest" ON)

# quillon_register_test(NAME name COMMAND ... [TIMEOUT s] [LABELS ...]
#                       [ENVIRONMENT ...] [RESOURCE_LOCK ...])
# One test for ctest, with the test data folder in its environment. Under the
# windows configuration ctest runs it through Wine (the cross-compiling emulator).
function(quillon_register_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "COMMAND;LABELS;ENVIRONMENT;RESOURCE_LOCK" ${ARGN})
  if(NOT QUILLON_HOST AND NOT QUILLON_WINDOWS_TESTS)
    return()
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_COMMAND})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  # scripts/make-fixtures writes the test data beside the build trees.
  get_filename_component(data_dir ${CMAKE_BINARY_DIR}/../testdata ABSOLUTE)
  set(environment "QUILLON_TEST_DATA=${data_dir}" ${T_ENVIRONMENT})
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT}
    LABELS "${T_LABELS}" ENVIRONMENT "${environment}")
  if(T_RESOURCE_LOCK)
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK "${T_RESOURCE_LOCK}")
  endif()
endfunction()

# quillon_add_test(NAME name SOURCES ... [LIBS ...] [WINDOWS_ONLY] [TIMEOUT s]
#                  [LABELS ...] [ENVIRONMENT ...] [RESOURCE_LOCK ...])
# One GoogleTest program, registered as one test.
function(quillon_add_test)
  cmake_parse_arguments(T "WINDOWS_ONLY" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS;ENVIRONMENT;RESOURCE_LOCK" ${ARGN})
  if(T_WINDOWS_ONLY AND QUILLON_HOST)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  if(NOT QUILLON_HOST)
    target_link_options(${T_NAME} PRIVATE -mconsole)
  endif()
  # The same test runs in both configurations; the host run is named apart.
  set(test_name ${T_NAME})
  if(QUILLON_HOST)
    set(test_name ${T_NAME}.host)
  endif()
  quillon_register_test(NAME ${test_name} COMMAND ${T_NAME} --gtest_brief=1
    TIMEOUT ${T_TIMEOUT} LABELS ${T_LABELS} ENVIRONMENT ${T_ENVIRONMENT}
    RESOURCE_LOCK ${T_RESOURCE_LOCK})
endfunction()

# quillon_add_fuzzer(NAME name SOURCES ... [LIBS ...] CORPUS dir [SECONDS n]
#                    [SEEDS_FROM tool kind])
# A libFuzzer target (host configuration with clang only). ctest runs it for a
# bounded time over its seed corpus, so a crash or a sanitizer finding fails the run.
# SEEDS_FROM: the corpus folder is written after each build by running
# `tool kind folder` (binary seeds made from readable fixtures).
function(quillon_add_fuzzer)
  cmake_parse_arguments(F "" "NAME;CORPUS;SECONDS" "SOURCES;LIBS;SEEDS_FROM" ${ARGN})
  if(NOT QUILLON_HOST OR NOT QUILLON_FUZZ_SUPPORTED)
    return()
  endif()
  if(NOT F_SECONDS)
    set(F_SECONDS 5)
  endif()
  add_executable(${F_NAME} ${F_SOURCES})
  target_compile_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
  target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
  if(F_SEEDS_FROM)
    list(GET F_SEEDS_FROM 0 tool)
    list(GET F_SEEDS_FROM 1 kind)
    file(MAKE_DIRECTORY ${F_CORPUS})
    add_dependencies(${F_NAME} ${tool})
    add_custom_command(TARGET ${F_NAME} POST_BUILD COMMAND ${tool} ${kind} ${F_CORPUS} VERBATIM)
  endif()
  # New inputs go to a scratch folder so the committed seed corpus stays as it is.
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${F_NAME}-corpus)
  file(MAKE_DIRECTORY ${work})
  add_test(NAME ${F_NAME}
    COMMAND ${F_NAME} -max_total_time=${F_SECONDS} -timeout=10 -rss_limit_mb=2048
            -print_final_stats=0 -close_fd_mask=1 ${work} ${F_CORPUS})
  math(EXPR limit "${F_SECONDS} * 4 + 60")
  set_tests_properties(${F_NAME} PROPERTIES TIMEOUT ${limit} LABELS fuzz)
endfunction()
