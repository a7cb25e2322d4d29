# The music module: CD and MP3 through the media control interface stand-in,
# WAV through the sound player stand-in.
add_library(orvanth_music STATIC ${CMAKE_CURRENT_LIST_DIR}/music.cpp)
target_include_directories(orvanth_music PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(orvanth_music PUBLIC orvanth_shell_state PRIVATE orvanth_mci orvanth_sound)
