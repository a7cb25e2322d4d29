orvanth_add_fuzzer(mci_command
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/mci_command.cpp
  LIBS orvanth_mci_command)
