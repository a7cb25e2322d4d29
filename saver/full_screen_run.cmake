# The full-screen run: the invisible form Lumevar_S, its platform-free rules,
# and the close-request watch.
find_package(Qt6 REQUIRED COMPONENTS Core)
add_library(orvanth_run_rules STATIC ${CMAKE_CURRENT_LIST_DIR}/planet_shuffle.cpp)
target_include_directories(orvanth_run_rules PUBLIC ${PROJECT_SOURCE_DIR})

add_library(orvanth_full_screen_run STATIC
  ${CMAKE_CURRENT_LIST_DIR}/full_screen_run.cpp
  ${CMAKE_CURRENT_LIST_DIR}/end_signals.cpp)
target_include_directories(orvanth_full_screen_run PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(orvanth_full_screen_run PUBLIC
  orvanth_run_rules orvanth_shell_core orvanth_music orvanth_art orvanth_common Qt6::Core)
