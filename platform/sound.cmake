# Wave-device count and sound player stand-ins on GStreamer.
add_library(orvanth_sound STATIC ${CMAKE_CURRENT_LIST_DIR}/sound.cpp)
target_link_libraries(orvanth_sound PRIVATE orvanth_gst_support)
target_include_directories(orvanth_sound PUBLIC ${PROJECT_SOURCE_DIR})
