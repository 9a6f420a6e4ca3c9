# The Windows test executables: every test that needs no pseudo-terminal and no
# emulator inside the process, and the kernel32 link against a controller
# emulator on COM 1 (scripts/test-windows.sh runs them under Wine, with the
# Linux emulator behind COM 1 and its console pipe in ZM48D_EMULATOR_CONTROL).

# GoogleTest built from source with the project's own compiler: Debian's
# googletest package keeps the sources in /usr/src/googletest. Empty: use an
# installed GTest instead (MSVC with vcpkg, for example).
if(NOT DEFINED ZM48D_GOOGLETEST_SOURCE AND EXISTS /usr/src/googletest/CMakeLists.txt)
  set(default_googletest /usr/src/googletest)
endif()
set(ZM48D_GOOGLETEST_SOURCE "${default_googletest}" CACHE PATH
    "GoogleTest sources to build with the project's compiler (empty: find an installed GTest)")
if(ZM48D_GOOGLETEST_SOURCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)  # MSVC: the runtime DLL, as ours
  add_subdirectory(${ZM48D_GOOGLETEST_SOURCE} googletest EXCLUDE_FROM_ALL SYSTEM)
  if(NOT TARGET GTest::gtest)  # GoogleTest 1.11 and older name them gtest and gtest_main only
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
endif()

add_library(zm48d_test_support STATIC support/temp_dir.cpp support/sample_files.cpp)
target_include_directories(zm48d_test_support PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(zm48d_test_support PUBLIC GTest::gtest)
# Where the tests find the sample files under examples/.
target_compile_definitions(zm48d_test_support PRIVATE ZM48D_SOURCE_DIR="${PROJECT_SOURCE_DIR}")

# test_<layer>.exe from the listed sources of tests/<layer>/.
function(zm48d_windows_test name)
  cmake_parse_arguments(PARSE_ARGV 1 test "" "" "SOURCES;LIBRARIES")
  list(TRANSFORM test_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/${name}/)
  add_executable(test_${name} ${test_SOURCES})
  target_link_libraries(test_${name} PRIVATE zm48d_test_support GTest::gtest_main ${test_LIBRARIES})
  add_test(NAME windows.${name} COMMAND test_${name})
endfunction()

zm48d_windows_test(files
  SOURCES text_test.cpp line_file_test.cpp new_file_test.cpp
  LIBRARIES zm48d_files)
zm48d_windows_test(protocol
  SOURCES data_event_record_test.cpp data_rules_image_test.cpp data_tag_image_test.cpp
  LIBRARIES zm48d_protocol)
zm48d_windows_test(site
  SOURCES site_file_test.cpp
  LIBRARIES zm48d_site)
zm48d_windows_test(cli
  SOURCES options_test.cpp output_format_test.cpp stop_signals_test.cpp windows_console_test.cpp
  LIBRARIES zm48d_cli)
zm48d_windows_test(link
  SOURCES windows_serial_link_test.cpp
  LIBRARIES zm48d_link)
# Alone: it holds COM 1 and measures the line's timeouts.
set_tests_properties(windows.link PROPERTIES RUN_SERIAL TRUE)
