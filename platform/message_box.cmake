# The plain modal message box (X11), which also prints its line to stderr.
find_package(X11 REQUIRED)
add_library(orvanth_message_box STATIC ${CMAKE_CURRENT_LIST_DIR}/message_box.cpp)
target_include_directories(orvanth_message_box PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(orvanth_message_box PUBLIC X11::X11)
# Tests and other folders link X11 by its imported name too.
set_target_properties(X11::X11 PROPERTIES IMPORTED_GLOBAL TRUE)
