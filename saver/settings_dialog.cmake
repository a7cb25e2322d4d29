# The settings dialog Lumevar_P: its widget-free choice rules and the form.
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets)
add_library(orvanth_dialog_choice STATIC ${CMAKE_CURRENT_LIST_DIR}/dialog_choice.cpp)
target_include_directories(orvanth_dialog_choice PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(orvanth_dialog_choice PUBLIC orvanth_shell_core)

add_library(orvanth_settings_dialog STATIC ${CMAKE_CURRENT_LIST_DIR}/settings_dialog.cpp)
target_include_directories(orvanth_settings_dialog PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(orvanth_settings_dialog PUBLIC
  orvanth_dialog_choice orvanth_shell_core orvanth_shell_state orvanth_command_button orvanth_art
  Qt6::Widgets)
