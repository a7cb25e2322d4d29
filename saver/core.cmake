# The shell's foundation (forms layer, settings file, start-up helpers) and
# the program Orvanth.scr, linked with every piece that is part of the build.
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets)
add_library(orvanth_shell_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/forms_layer_numbers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms_layer_random.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms_layer_program.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms_layer_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms_layer_process.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms_layer_screen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/startup_support.cpp)
target_include_directories(orvanth_shell_core PUBLIC ${PROJECT_SOURCE_DIR})
find_package(Threads REQUIRED)
target_link_libraries(orvanth_shell_core PUBLIC
  orvanth_shell_state orvanth_ini orvanth_x11 Qt6::Core Qt6::Gui Threads::Threads)

add_executable(Orvanth.scr
  ${CMAKE_CURRENT_LIST_DIR}/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/startup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mode_entry_fallback.cpp)
set_target_properties(Orvanth.scr PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ORVANTH_BIN_DIR})
target_link_libraries(Orvanth.scr PRIVATE orvanth_shell_core Qt6::Widgets)

# Forms not built yet end the program (see mode_entry_fallback.cpp).
if(TARGET orvanth_settings_dialog)
  target_link_libraries(Orvanth.scr PRIVATE orvanth_settings_dialog)
else()
  target_compile_definitions(Orvanth.scr PRIVATE ORVANTH_FALLBACK_SETTINGS_DIALOG)
endif()
if(TARGET orvanth_full_screen_run)
  target_link_libraries(Orvanth.scr PRIVATE orvanth_full_screen_run)
else()
  target_compile_definitions(Orvanth.scr PRIVATE ORVANTH_FALLBACK_FULL_SCREEN_RUN)
endif()
foreach(piece IN ITEMS orvanth_preview orvanth_music orvanth_art orvanth_command_button)
  if(TARGET ${piece})
    target_link_libraries(Orvanth.scr PRIVATE ${piece})
  endif()
endforeach()
