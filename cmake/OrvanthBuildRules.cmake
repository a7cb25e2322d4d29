# What every target of ours is built with: the warnings (errors with
# ORVANTH_WERROR, as CI builds) and the include root, so that includes name
# their path from the project folder ("saver/run/full_screen_run.h").
# orvanth_apply_build_rules(), called once after all folders are added,
# gives them to every library and program defined under the project folder;
# third_party/ (the generated Wayland protocol code) is left as it is.
option(ORVANTH_WERROR "Treat compiler warnings as errors (CI sets this)" OFF)

add_library(orvanth_build_rules INTERFACE)
# Resource scripts (windres) take none of these.
set(orvanth_warnings -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion)
if(ORVANTH_WERROR)
  list(APPEND orvanth_warnings -Werror)
endif()
target_compile_options(orvanth_build_rules INTERFACE
  "$<$<COMPILE_LANGUAGE:C,CXX>:${orvanth_warnings}>")

# The folders whose targets are held to the rules.
function(orvanth_rules_folders dir out)
  set(found ${dir})
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    cmake_path(IS_PREFIX PROJECT_SOURCE_DIR "${sub}" NORMALIZE inside)
    cmake_path(IS_PREFIX ORVANTH_THIRD_PARTY_DIR "${sub}" NORMALIZE third_party)
    if(inside AND NOT third_party)
      orvanth_rules_folders(${sub} below)
      list(APPEND found ${below})
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

function(orvanth_apply_build_rules)
  set(ORVANTH_THIRD_PARTY_DIR ${PROJECT_SOURCE_DIR}/third_party)
  orvanth_rules_folders(${PROJECT_SOURCE_DIR} folders)
  foreach(dir IN LISTS folders)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "EXECUTABLE")
        target_include_directories(${target} BEFORE PRIVATE ${PROJECT_SOURCE_DIR})
      elseif(type MATCHES "^(STATIC|SHARED|MODULE|OBJECT)_LIBRARY$")
        target_include_directories(${target} BEFORE PUBLIC ${PROJECT_SOURCE_DIR})
      elseif(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} BEFORE INTERFACE ${PROJECT_SOURCE_DIR})
        continue()
      else()
        continue()
      endif()
      # Appended as the property, not through target_link_libraries, so it
      # mixes with either signature a folder uses.
      set_property(TARGET ${target} APPEND PROPERTY LINK_LIBRARIES orvanth_build_rules)
    endforeach()
  endforeach()
endfunction()
