# The saver's own artwork: the generator (tools/artwork) writes the pixels and
# a source that embeds them; orvanth_art implements saver/resources.h.
set(ORVANTH_ART_DIR ${CMAKE_CURRENT_BINARY_DIR}/art)
file(MAKE_DIRECTORY ${ORVANTH_ART_DIR})
add_custom_command(
  OUTPUT ${ORVANTH_ART_DIR}/orvanth_art.cpp ${ORVANTH_ART_DIR}/orvanth_art.bin
  COMMAND orvanth_artgen --source ${ORVANTH_ART_DIR}
  DEPENDS orvanth_artgen
  COMMENT "Generating the saver's artwork"
  VERBATIM)
add_library(orvanth_art STATIC ${ORVANTH_ART_DIR}/orvanth_art.cpp)
set_source_files_properties(${ORVANTH_ART_DIR}/orvanth_art.cpp PROPERTIES
  OBJECT_DEPENDS ${ORVANTH_ART_DIR}/orvanth_art.bin
  SKIP_LINTING ON)
target_include_directories(orvanth_art PUBLIC ${PROJECT_SOURCE_DIR})
