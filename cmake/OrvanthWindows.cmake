# The Windows build (cmake/mingw-w64-x86_64.cmake): both programs side by
# side in <build>/dist, linked statically against the mingw C and C++
# runtimes; the tests run under Wine through the build's wine-run script.
set(ORVANTH_BIN_DIR ${CMAKE_BINARY_DIR}/dist)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)

configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# Test programs, and any build step that runs a program of this build.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)

# A Windows program of ours: a window program (no console), under the file
# name given, in dist/.
function(orvanth_windows_program target file_name)
  get_filename_component(stem ${file_name} NAME_WE)
  get_filename_component(suffix ${file_name} LAST_EXT)
  set_target_properties(${target} PROPERTIES
    WIN32_EXECUTABLE ON OUTPUT_NAME ${stem} SUFFIX ${suffix}
    RUNTIME_OUTPUT_DIRECTORY ${ORVANTH_BIN_DIR})
  orvanth_windows_resources(${target} ${file_name})
endfunction()

# Icon, version resources and the downloads.
include(${CMAKE_CURRENT_LIST_DIR}/OrvanthWindowsPackage.cmake)
