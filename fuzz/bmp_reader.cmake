# The BMP reader over arbitrary bytes; bmp.cpp is compiled in so that the
# fuzzer's instrumentation covers it.
orvanth_add_fuzzer(bmp_reader
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/bmp_reader.cpp ${PROJECT_SOURCE_DIR}/renderer/bmp.cpp
  LIBS orvanth_message_box)
