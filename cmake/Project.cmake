# Build conventions shared by every folder: warning flags, the Windows defines, the manifest that
# every executable carries, and the helpers that declare libraries, tests and tools.

set(PROJECT_WARNINGS -Wall -Wextra)

if(WIN32)
  enable_language(RC)
  add_compile_definitions(UNICODE _UNICODE _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX STRICT)
  set(CMAKE_EXE_LINKER_FLAGS "${CMAKE_EXE_LINKER_FLAGS} -static -static-libgcc -static-libstdc++")
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(PROJECT_RUNS_TESTS ON)
  else()
    set(PROJECT_RUNS_TESTS OFF)
  endif()

  # Common controls 6 and asInvoker, linked into the product and every test executable.
  add_library(app_manifest OBJECT ${PROJECT_SOURCE_DIR}/resources/common/manifest.rc)
  set_source_files_properties(${PROJECT_SOURCE_DIR}/resources/common/manifest.rc PROPERTIES
    OBJECT_DEPENDS ${PROJECT_SOURCE_DIR}/resources/common/app.manifest)

  include(${CMAKE_CURRENT_LIST_DIR}/ThirdParty.cmake)

else()
  set(PROJECT_RUNS_TESTS OFF)
endif()

set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
enable_testing()

# Native generators built in the host tree; the Windows trees find them through HOST_TOOLS_DIR.
set(HOST_TOOLS_DIR "${PROJECT_SOURCE_DIR}/build/host/bin" CACHE PATH "Host tree's tool folder")

function(project_options target)
  target_compile_options(${target} PRIVATE ${PROJECT_WARNINGS})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# project_library(name SOURCES ... [DEPS ...]): one static library per layer folder.
function(project_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  project_options(${name})
endfunction()

# project_executable(name SOURCES ... [DEPS ...]): a Windows GUI program with the manifest.
function(project_executable name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} WIN32 ${ARG_SOURCES} $<TARGET_OBJECTS:app_manifest>)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  target_link_options(${name} PRIVATE -municode)
  project_options(${name})
endfunction()

# project_test(name SOURCES ... [DEPS ...] [WINDOWS] [TIMEOUT s]): one GoogleTest executable per
# test folder, run under wine64 by tools/wine-test. WINDOWS marks executables that open windows:
# they share one lock because focus and activation are desktop-wide.
function(project_test name)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(ARG "WINDOWS" "TIMEOUT" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} $<TARGET_OBJECTS:app_manifest>)
  target_link_libraries(${name} PRIVATE test_support ${ARG_DEPS})
  project_options(${name})
  if(PROJECT_RUNS_TESTS)
    if(NOT ARG_TIMEOUT)
      set(ARG_TIMEOUT 300)
    endif()
    add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-test $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
    if(ARG_WINDOWS)
      set_tests_properties(${name} PROPERTIES RESOURCE_LOCK desktop)
    endif()
  endif()
endfunction()

# project_tool(name SOURCES ...): a native build-time generator, host tree only.
function(project_tool name)
  if(WIN32)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  project_options(${name})
endfunction()

# project_benchmark(name SOURCES ... [DEPS ...]): a native Google Benchmark program, host tree only.
function(project_benchmark name)
  if(WIN32)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark benchmark_main pthread)
  project_options(${name})
endfunction()

# project_native_test(name SOURCES ... [DEPS ...] [TIMEOUT s]): a GoogleTest program for Windows-free
# code, built natively in the host tree with AddressSanitizer and UBSan, and registered in the x86_64
# tree's CTest (it runs the host-built program, no Wine), so ./test.sh keeps one summary. List the
# library sources under test in SOURCES so they are instrumented too.
function(project_native_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;DEPS" ${ARGN})
  if(WIN32)
    if(PROJECT_RUNS_TESTS)
      if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
      endif()
      add_test(NAME ${name} COMMAND ${HOST_TOOLS_DIR}/${name})
      set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
    endif()
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=undefined)
  target_link_options(${name} PRIVATE -fsanitize=address,undefined)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} gtest_main gtest)
  project_options(${name})
endfunction()

# project_wine_benchmark(name SOURCES ... [DEPS ...]): a timing program of the x86_64 tree (a loop
# that prints its median and worst time), run under wine64 by a script in tools/bench. CTest runs
# it once with --quick, so ./test.sh keeps it working without spending time on it.
function(project_wine_benchmark name)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} $<TARGET_OBJECTS:app_manifest>)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tools/bench)
  project_options(${name})
  if(PROJECT_RUNS_TESTS)
    add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-test $<TARGET_FILE:${name}> --quick)
    set_tests_properties(${name} PROPERTIES TIMEOUT 120 RESOURCE_LOCK desktop)
  endif()
endfunction()
