# Helpers shared by the subsystem folders.

# lumitag_add_test(NAME SOURCES ... LIBS ...)
# A GoogleTest executable registered with CTest. Tests run headless and find
# the built program folder through LUMITAG_PROGRAM_DIR.
# Without LUMITAG_BUILD_TESTS the target is still declared, so the folders'
# own settings on it stay valid, but it is never built and GoogleTest is not
# needed.
function(lumitag_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT LUMITAG_BUILD_TESTS)
    add_executable(${name} EXCLUDE_FROM_ALL ${T_SOURCES})
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    LUMITAG_PROGRAM_DIR="${LUMITAG_PROGRAM_DIR}"
    LUMITAG_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# lumitag_add_bench(NAME SOURCES ... LIBS ...)
function(lumitag_add_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT LUMITAG_BUILD_BENCH)
    return()
  endif()
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
  target_compile_definitions(${name} PRIVATE LUMITAG_PROGRAM_DIR="${LUMITAG_PROGRAM_DIR}")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()

# lumitag_add_fuzzer(NAME SOURCES ... LIBS ... CORPUS dir)
# With LUMITAG_FUZZ (clang) a libFuzzer binary under ASan and UBSan; otherwise
# the same entry point behind a small driver that replays the seed corpus, so
# every harness is built and its seeds run as a test in the ordinary build.
function(lumitag_add_fuzzer name)
  cmake_parse_arguments(F "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  if(LUMITAG_FUZZ)
    add_executable(${name} ${F_SOURCES})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  else()
    add_executable(${name} ${F_SOURCES} ${PROJECT_SOURCE_DIR}/tests/fuzz/ReplayMain.cpp)
    if(LUMITAG_BUILD_TESTS AND F_CORPUS)
      add_test(NAME ${name}_seeds COMMAND ${name} ${F_CORPUS})
      set_tests_properties(${name}_seeds PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    endif()
  endif()
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
endfunction()
