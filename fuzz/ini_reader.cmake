orvanth_add_fuzzer(ini_reader
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ini_reader.cpp
  LIBS orvanth_ini)
