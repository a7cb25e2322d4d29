# What the shell needs from X that Qt does not give: window look-up by title,
# the global cursor, the pointer, window rectangles, the caption animation and
# putting pixels into a plain X window.
find_package(X11 REQUIRED)
add_library(orvanth_x11 STATIC
  ${CMAKE_CURRENT_LIST_DIR}/x11_connection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11_find_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11_cursor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11_window_rect.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11_animated_rects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11_image.cpp)
target_include_directories(orvanth_x11 PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(orvanth_x11 PUBLIC X11::X11 X11::Xfixes)
