# Media control interface stand-in. The command-string parser and the CD time
# formats are plain C++ (orvanth_mci_command); the devices use GStreamer.
find_package(PkgConfig REQUIRED)
pkg_check_modules(ORVANTH_GST REQUIRED IMPORTED_TARGET gstreamer-1.0)

add_library(orvanth_mci_command STATIC
  ${CMAKE_CURRENT_LIST_DIR}/mci_errors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mci_command.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mci_disc.cpp)
target_include_directories(orvanth_mci_command PUBLIC ${PROJECT_SOURCE_DIR})

add_library(orvanth_gst_support STATIC ${CMAKE_CURRENT_LIST_DIR}/mci_gst.cpp)
target_include_directories(orvanth_gst_support PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(orvanth_gst_support PUBLIC PkgConfig::ORVANTH_GST)

add_library(orvanth_mci STATIC
  ${CMAKE_CURRENT_LIST_DIR}/mci.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mci_cd_device.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mci_mpeg_device.cpp)
target_link_libraries(orvanth_mci PUBLIC orvanth_mci_command PRIVATE orvanth_gst_support)
