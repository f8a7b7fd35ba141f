# The Windows programs (make windows): cross-built with MinGW-w64 into
# build/windows, statically linked so that each .exe runs on its own, and
# packed with their documents and examples into dgnbin-VERSION-win64.zip.
enable_language(RC)

# The runtime's printf and strtod families (linked in, as exact as glibc's)
# in place of msvcrt.dll's; wide-character Windows calls.
add_compile_definitions(__USE_MINGW_ANSI_STDIO=1 UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
add_link_options(-static -static-libgcc -static-libstdc++)

# Called once the programs are defined.
function(dgnbin_windows_programs)
  foreach(program dgnbin kelobin dgnbin-batch)
    target_sources(${program} PRIVATE
      ${CMAKE_CURRENT_SOURCE_DIR}/src/platform/program_windows.rc
      ${CMAKE_CURRENT_SOURCE_DIR}/src/platform/linked_maths_windows.cpp)
  endforeach()
  target_sources(dgnbin_maths_compare PRIVATE
    ${CMAKE_CURRENT_SOURCE_DIR}/src/platform/linked_maths_windows.cpp)
  # Holds a file open while a program runs (make test-windows).
  add_executable(dgnbin_hold_open EXCLUDE_FROM_ALL ${CMAKE_CURRENT_SOURCE_DIR}/tests/windows/hold_open.cpp)

  # The manual pages as plain text, with Windows line ends like the README.
  find_program(DGNBIN_GROFF groff REQUIRED)
  set(DGNBIN_ZIP_ROOT ${CMAKE_CURRENT_BINARY_DIR}/dgnbin-${PROJECT_VERSION}-win64)
  set(DGNBIN_ZIP ${CMAKE_CURRENT_BINARY_DIR}/dgnbin-${PROJECT_VERSION}-win64.zip)
  file(GLOB DGNBIN_MAN_PAGES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/docs/*.1)
  add_custom_command(OUTPUT ${DGNBIN_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${DGNBIN_ZIP_ROOT} ${DGNBIN_ZIP}
    COMMAND ${CMAKE_COMMAND} -DROOT=${DGNBIN_ZIP_ROOT} -DSOURCE=${CMAKE_CURRENT_SOURCE_DIR}
      -DGROFF=${DGNBIN_GROFF} "-DPROGRAMS=$<TARGET_FILE:dgnbin>;$<TARGET_FILE:kelobin>;$<TARGET_FILE:dgnbin-batch>"
      -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/windows_zip_folder.cmake
    COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_CURRENT_BINARY_DIR}
      ${CMAKE_COMMAND} -E tar cf ${DGNBIN_ZIP} --format=zip dgnbin-${PROJECT_VERSION}-win64
    DEPENDS dgnbin kelobin dgnbin-batch ${DGNBIN_MAN_PAGES} README.md
      examples/DGNBIN.TAB examples/plano2d.dgn examples/plano3d.dgn cmake/windows_zip_folder.cmake
    VERBATIM)
  add_custom_target(windows-zip ALL DEPENDS ${DGNBIN_ZIP})
endfunction()
