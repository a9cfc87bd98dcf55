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

# A Windows tree whose tests run in the tree of the other width (the i686 tree
# on a machine that cannot execute 32-bit code) builds its test programs, so
# that they compile at that width too, but registers none of them with ctest.
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

# quillon_add_fuzzer(component input [SOURCES ...] [LIBS ...] [SEEDS dir ...]
#                    [SEEDS_FROM tool kind] [SECONDS n])
# A libFuzzer target (host configuration with clang only), by the one layout
# every fuzz target follows: in <component>/tests/fuzz/, the target
# <component>_<input>_fuzzer is built from <Input>Fuzzer.cpp (input in
# PascalCase) plus SOURCES, and its committed seeds, reproducers of past
# findings among them, are in corpus/<input>/ beside it.
# SEEDS: more seed folders (made by scripts/make-fixtures).
# SEEDS_FROM: binary seeds made after each build by `tool kind folder`.
# ctest runs the target for a bounded time over its seeds, so a crash or a
# sanitizer finding fails the run; scripts/fuzz runs long campaigns.
function(quillon_add_fuzzer component input)
  cmake_parse_arguments(F "" "SECONDS" "SOURCES;LIBS;SEEDS;SEEDS_FROM" ${ARGN})
  if(NOT QUILLON_HOST OR NOT QUILLON_FUZZ_SUPPORTED)
    return()
  endif()
  if(NOT F_SECONDS)
    set(F_SECONDS 5)
  endif()
  set(name ${component}_${input}_fuzzer)
  string(REPLACE "_" ";" words ${input})
  set(file "")
  foreach(word IN LISTS words)
    string(SUBSTRING ${word} 0 1 head)
    string(SUBSTRING ${word} 1 -1 tail)
    string(TOUPPER ${head} head)
    string(APPEND file ${head}${tail})
  endforeach()
  add_executable(${name} ${file}Fuzzer.cpp ${F_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${F_LIBS})

  set(seeds ${F_SEEDS})
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${input})
    list(PREPEND seeds ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${input})
  endif()
  if(F_SEEDS_FROM)
    list(GET F_SEEDS_FROM 0 tool)
    list(GET F_SEEDS_FROM 1 kind)
    set(made ${CMAKE_CURRENT_BINARY_DIR}/seeds/${input})
    file(MAKE_DIRECTORY ${made})
    add_dependencies(${name} ${tool})
    add_custom_command(TARGET ${name} POST_BUILD COMMAND ${tool} ${kind} ${made} VERBATIM)
    list(APPEND seeds ${made})
  endif()
  if(NOT seeds)
    message(FATAL_ERROR "${name}: no seeds (corpus/${input}/, SEEDS or SEEDS_FROM)")
  endif()
  set_property(GLOBAL APPEND PROPERTY QUILLON_FUZZERS ${name})
  set_target_properties(${name} PROPERTIES QUILLON_FUZZ_SEEDS "${seeds}")

  # New inputs go to a scratch folder so the committed seed corpus stays as it is.
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
  file(MAKE_DIRECTORY ${work})
  add_test(NAME ${name}
    COMMAND ${name} -max_total_time=${F_SECONDS} -timeout=10 -rss_limit_mb=2048
            -print_final_stats=0 -close_fd_mask=1 ${work} ${seeds})
  math(EXPR limit "${F_SECONDS} * 4 + 60")
  set_tests_properties(${name} PROPERTIES TIMEOUT ${limit} LABELS fuzz)
endfunction()

# Run once every target exists (deferred to the end of the top directory).
# Each library a fuzz target links, directly or through other libraries, is
# compiled with the fuzzer's coverage instrumentation, so that libFuzzer is
# guided by the branches of the parsers and state machines under test and not
# only by those of the small harness. Programs that link these libraries
# without -fsanitize=fuzzer (the unit tests) get the sanitizer runtime's
# do-nothing coverage hooks. The list of targets with their seed folders goes
# to fuzz-targets.txt for scripts/fuzz: name, program, seed folders, by tabs.
function(quillon_instrument_fuzzed_libraries)
  get_property(fuzzers GLOBAL PROPERTY QUILLON_FUZZERS)
  set(pending)
  set(lines "")
  foreach(fuzzer IN LISTS fuzzers)
    get_target_property(libs ${fuzzer} LINK_LIBRARIES)
    list(APPEND pending ${libs})
    get_target_property(seeds ${fuzzer} QUILLON_FUZZ_SEEDS)
    list(JOIN seeds "\t" seeds)
    string(APPEND lines "${fuzzer}\t$<TARGET_FILE:${fuzzer}>\t${seeds}\n")
  endforeach()
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/fuzz-targets.txt CONTENT "${lines}")

  set(done)
  while(pending)
    list(POP_FRONT pending lib)
    # A static library lists its private dependencies as $<LINK_ONLY:lib>.
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" lib "${lib}")
    if(NOT TARGET ${lib} OR lib IN_LIST done)
      continue()
    endif()
    list(APPEND done ${lib})
    get_target_property(real ${lib} ALIASED_TARGET)
    if(real)
      list(APPEND pending ${real})
      continue()
    endif()
    get_target_property(imported ${lib} IMPORTED)
    if(imported)
      continue()
    endif()
    # What a compiled library links covers what it passes on to its users.
    get_target_property(type ${lib} TYPE)
    set(links INTERFACE_LINK_LIBRARIES)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      target_compile_options(${lib} PRIVATE -fsanitize=fuzzer-no-link)
      set(links LINK_LIBRARIES)
    endif()
    get_target_property(deps ${lib} ${links})
    if(deps)
      list(APPEND pending ${deps})
    endif()
  endwhile()
endfunction()
if(QUILLON_HOST AND QUILLON_FUZZ_SUPPORTED)
  cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL quillon_instrument_fuzzed_libraries)
endif()
