# The preview form Lumevar_R: a plain X window inside the host's window.
find_package(Qt6 REQUIRED COMPONENTS Core)
add_library(orvanth_preview STATIC
  ${CMAKE_CURRENT_LIST_DIR}/preview.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preview_picture.cpp)
target_include_directories(orvanth_preview PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(orvanth_preview PUBLIC orvanth_shell_core orvanth_x11 Qt6::Core)
# The picture comes from the artwork library once it is part of the build.
if(TARGET orvanth_art)
  target_link_libraries(orvanth_preview PUBLIC orvanth_art)
  target_compile_definitions(orvanth_preview PRIVATE ORVANTH_HAVE_ART)
endif()
