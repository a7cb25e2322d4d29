# Our private-profile INI reader and writer.
add_library(orvanth_ini STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ini_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ini_file_io.cpp)
target_include_directories(orvanth_ini PUBLIC ${PROJECT_SOURCE_DIR})
