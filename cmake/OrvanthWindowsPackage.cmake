# The Windows downloads (packaging/windows/): the program icon, made from the
# artwork at build time, each program's icon and version resource, and the
# target package_windows, which makes in <build>/package/
#   Orvanth-<version>-win64.zip    Orvanth.scr, Orvanth.data, README.txt
#   Orvanth-<version>-setup.exe    the NSIS setup (makensis)
enable_language(RC)

set(ORVANTH_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging/windows)
set(ORVANTH_ICO ${CMAKE_BINARY_DIR}/packaging/Orvanth.ico)
# Both programs declare per-monitor DPI awareness, so that Windows neither
# scales their windows nor their pixels on a scaled screen.
set(ORVANTH_MANIFEST ${ORVANTH_PACKAGING_DIR}/orvanth.manifest)

# A program of this build, so it runs through the emulator like the artwork
# generator.
add_executable(orvanth_icon_ico ${ORVANTH_PACKAGING_DIR}/icon_ico.cpp)
target_link_libraries(orvanth_icon_ico PRIVATE orvanth_art)
add_custom_command(OUTPUT ${ORVANTH_ICO}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND orvanth_icon_ico ${ORVANTH_ICO}
  DEPENDS orvanth_icon_ico
  COMMENT "Writing the program icon"
  VERBATIM)
add_custom_target(orvanth_ico DEPENDS ${ORVANTH_ICO})

# What the version resource says each program is.
set(ORVANTH_DESCRIPTION_Orvanth.scr "Orvanth screen saver")
set(ORVANTH_DESCRIPTION_Orvanth.data "Orvanth renderer")

# The icon, manifest and VERSIONINFO of program target, file_name as it is shipped.
function(orvanth_windows_resources target file_name)
  set(ORVANTH_RC_FILE ${file_name})
  set(ORVANTH_RC_DESCRIPTION "${ORVANTH_DESCRIPTION_${file_name}}")
  set(ORVANTH_RC_SAVER_NAME "")
  if(file_name MATCHES "\\.scr$")
    # The screen-saver settings list a saver by its string 1.
    set(ORVANTH_RC_SAVER_NAME "STRINGTABLE\nBEGIN\n  1 \"Orvanth\"\nEND\n")
  endif()
  set(rc ${CMAKE_BINARY_DIR}/packaging/${file_name}.rc)
  configure_file(${ORVANTH_PACKAGING_DIR}/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${ORVANTH_ICO};${ORVANTH_MANIFEST}")
  add_dependencies(${target} orvanth_ico)
endfunction()

set(package_dir ${CMAKE_BINARY_DIR}/package)
set(zip_file ${package_dir}/Orvanth-${PROJECT_VERSION}-win64.zip)
set(setup_file ${package_dir}/Orvanth-${PROJECT_VERSION}-setup.exe)
find_program(ORVANTH_ZIP zip)
find_program(ORVANTH_MAKENSIS makensis)
if(ORVANTH_ZIP AND ORVANTH_MAKENSIS)
  # The downloads carry the programs without symbols or debugging information,
  # and a README that Windows Notepad shows (CRLF).
  set(stage ${package_dir}/stage)
  configure_file(${ORVANTH_PACKAGING_DIR}/README.txt.in ${stage}/README.txt @ONLY
    NEWLINE_STYLE CRLF)
  set(staged "")
  foreach(program Orvanth.scr Orvanth.data)
    add_custom_command(OUTPUT ${stage}/${program}
      COMMAND ${CMAKE_STRIP} --strip-all -o ${stage}/${program} $<TARGET_FILE:${program}>
      DEPENDS ${program}
      VERBATIM)
    list(APPEND staged ${stage}/${program})
  endforeach()
  # -j: the three files at the top, -X: no Unix owners and times.
  add_custom_command(OUTPUT ${zip_file}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${zip_file}
    COMMAND ${ORVANTH_ZIP} -q -j -X ${zip_file} ${staged} ${stage}/README.txt
    DEPENDS ${staged} ${stage}/README.txt
    COMMENT "Zipping ${zip_file}"
    VERBATIM)
  add_custom_command(OUTPUT ${setup_file}
    COMMAND ${ORVANTH_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DDIST=${stage}
      -DICON=${ORVANTH_ICO} -DOUTFILE=${setup_file} ${ORVANTH_PACKAGING_DIR}/orvanth.nsi
    DEPENDS ${staged} ${ORVANTH_ICO} ${ORVANTH_PACKAGING_DIR}/orvanth.nsi
    COMMENT "Making ${setup_file}"
    VERBATIM)
  add_custom_target(package_windows DEPENDS ${zip_file} ${setup_file})
else()
  add_custom_target(package_windows
    COMMAND ${CMAKE_COMMAND} -E echo "package_windows needs zip and makensis (scripts/install-deps.sh)"
    COMMAND ${CMAKE_COMMAND} -E false)
endif()
