# Shared build settings: one place for warnings, sanitizers and the test rule.

add_library(veltrano_warnings INTERFACE)
target_compile_options(veltrano_warnings INTERFACE -Wall -Wextra)

if(VELTRANO_SANITIZE)
  target_compile_options(veltrano_warnings INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(veltrano_warnings INTERFACE -fsanitize=address,undefined)
endif()

if(VELTRANO_FUZZ)
  # Coverage for libFuzzer in every library; the fuzz targets add the driver.
  target_compile_options(veltrano_warnings INTERFACE -fsanitize=fuzzer-no-link)
endif()

# veltrano_library(NAME SOURCES... [LIBS ...])
# A static library of one folder; everything but main() is built this way.
function(veltrano_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS} PRIVATE veltrano_warnings)
endfunction()

# veltrano_test(NAME SOURCES... LIBS ...)
# One test executable per folder, run headless by ctest. Each GoogleTest
# case is a ctest test of its own, named "<executable>.<suite>.<case>", so
# that ctest lists every case and a failure names it. The cases are listed
# when ctest starts rather than after each build: listing runs the
# executable, which a build for the sanitizers or without a display should
# not have to do.
function(veltrano_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT VELTRANO_TESTS)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} veltrano_test_main veltrano_warnings)
  gtest_discover_tests(${name}
    TEST_PREFIX "${name}."
    WORKING_DIRECTORY ${VELTRANO_BIN_DIR}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS ${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60)
endfunction()
