# The owner-drawn push button Command: its plain state machine, face geometry
# and property store, and the Qt widget on top of them.
add_library(orvanth_button_state STATIC
  button_state.cpp
  button_face.cpp
  property_bag.cpp)
target_include_directories(orvanth_button_state PUBLIC ${PROJECT_SOURCE_DIR})

find_package(Qt6 REQUIRED COMPONENTS Widgets)
add_library(orvanth_command_button STATIC command_button.cpp command_button.h)
set_target_properties(orvanth_command_button PROPERTIES AUTOMOC ON)
target_link_libraries(orvanth_command_button PUBLIC orvanth_button_state Qt6::Widgets)
# The state pictures come from the artwork library once it is part of the tree.
if(TARGET orvanth_art)
  target_link_libraries(orvanth_command_button PRIVATE orvanth_art)
  target_compile_definitions(orvanth_command_button PUBLIC ORVANTH_HAVE_ART=1)
endif()
