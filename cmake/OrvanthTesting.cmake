# Test helpers shared by every folder.
#
#   orvanth_add_gtest(NAME SOURCES a.cpp ... [LIBS ...] [LABELS unit|x11|audio|e2e ...])
#     A GoogleTest executable; each TEST becomes one CTest test. Labels:
#       unit  - needs nothing (also run under the sanitizers)
#       x11   - needs the test X server ($DISPLAY)
#       audio - needs the test sound server ($PULSE_SERVER)
#       e2e   - starts the real programs
#     LINUX_ONLY: not built for Windows. In the Windows build only unit tests
#     are made; they run under Wine.
#     Tests get ORVANTH_BIN_DIR (where Orvanth.scr and Orvanth.data are) and
#     ORVANTH_SOURCE_DIR as compile definitions.
#
#   orvanth_add_area_folders([EXCEPT name ...])
#     add_subdirectory for every folder here that has a CMakeLists.txt.
#
#   orvanth_add_fuzzer(NAME SOURCES a.cpp ... [LIBS ...])
#     A libFuzzer target (ORVANTH_FUZZ=ON, clang) from a file defining
#     LLVMFuzzerTestOneInput; in every build the same entry is also run over
#     the kept corpus in fuzz/corpus/NAME as an ordinary unit test.
#
#   Target orvanth_unit_tests builds every test labelled unit and nothing
#   else (the sanitizer pass runs only those).

if(WIN32)
  # No mingw build of GoogleTest is packaged: it is built from Debian's
  # sources (libgtest-dev).
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  # Its own build defines the GTest:: names.
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)
add_custom_target(orvanth_unit_tests)

function(orvanth_add_gtest name)
  cmake_parse_arguments(T "LINUX_ONLY" "" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT T_LABELS)
    set(T_LABELS unit)
  endif()
  if(WIN32 AND (T_LINUX_ONLY OR NOT "unit" IN_LIST T_LABELS))
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    ORVANTH_BIN_DIR="${ORVANTH_BIN_DIR}"
    ORVANTH_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  if("unit" IN_LIST T_LABELS)
    add_dependencies(orvanth_unit_tests ${name})
  endif()
  # Tests that use the one X server (pointer, focus, screen) or the one sound
  # sink must not overlap with each other.
  set(locks "")
  if("x11" IN_LIST T_LABELS OR "e2e" IN_LIST T_LABELS)
    list(APPEND locks display)
  endif()
  if("audio" IN_LIST T_LABELS)
    list(APPEND locks sound)
  endif()
  # Under Wine the first program of a run may wait for the prefix to be made.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
  # The properties are set once the tests are known, by a script of our own
  # run after discovery's: its PROPERTIES would split every list (labels,
  # locks) into words of their own.
  set(props "LABELS \"${T_LABELS}\" TIMEOUT 120")
  if(locks)
    string(APPEND props " RESOURCE_LOCK \"${locks}\"")
  endif()
  set(props_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_properties.cmake)
  file(WRITE ${props_file} "foreach(test IN LISTS ${name}_TESTS)\n"
    "  set_tests_properties(\"\${test}\" PROPERTIES ${props})\n"
    "endforeach()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${props_file})
endfunction()

set(ORVANTH_WINDOWS_BUILD "" CACHE PATH
  "Windows build folder whose programs the Wine tests run; empty: no Wine tests")

function(orvanth_add_wine_test name)
  if(WIN32 OR NOT ORVANTH_WINDOWS_BUILD)
    return()
  endif()
  orvanth_add_gtest(${name} ${ARGN} LABELS e2e wine)
endfunction()

function(orvanth_add_area_folders)
  cmake_parse_arguments(A "" "" "EXCEPT" ${ARGN})
  file(GLOB areas LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(area IN LISTS areas)
    get_filename_component(name ${area} NAME)
    if(IS_DIRECTORY ${area} AND EXISTS ${area}/CMakeLists.txt AND NOT name IN_LIST A_EXCEPT)
      add_subdirectory(${area})
    endif()
  endforeach()
endfunction()

function(orvanth_add_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  set(corpus ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
  add_executable(${name}_corpus ${F_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/corpus_driver.cpp)
  target_link_libraries(${name}_corpus PRIVATE ${F_LIBS})
  add_test(NAME ${name}_corpus COMMAND ${name}_corpus ${corpus})
  set_tests_properties(${name}_corpus PROPERTIES LABELS unit TIMEOUT 120)
  add_dependencies(orvanth_unit_tests ${name}_corpus)
  if(ORVANTH_FUZZ)
    add_executable(${name} ${F_SOURCES})
    target_link_libraries(${name} PRIVATE ${F_LIBS})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  endif()
endfunction()
