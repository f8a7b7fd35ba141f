# The KELOBIN driver: GDAL and the GIS built on it read BIN files through a
# plugin, ogr_KELOBIN.so. Built when GDAL's development files are found, on
# Linux, and never in the sanitizer build: an uninstrumented ogrinfo cannot
# load the sanitizer runtimes. Nothing else in the project needs GDAL.
option(DGNBIN_GDAL_DRIVER "Build the KELOBIN GDAL plugin when GDAL is found" ON)
include(GNUInstallDirs)
if(DGNBIN_GDAL_DRIVER AND NOT DGNBIN_SANITIZE AND CMAKE_SYSTEM_NAME STREQUAL "Linux")
  find_package(GDAL CONFIG QUIET)
endif()
if(NOT TARGET GDAL::GDAL)
  return()
endif()

# The reader and the item names of the converter's library, compiled again
# as position-independent code for the plugin.
add_library(ogr_KELOBIN MODULE src/gdal/kelobin_driver.cpp src/gdal/bin_dataset.cpp
  src/gdal/bin_layer.cpp src/bin/record_reader.cpp src/bin/item_names.cpp
  src/platform/code_page.cpp)
target_include_directories(ogr_KELOBIN PRIVATE src)
target_link_libraries(ogr_KELOBIN PRIVATE GDAL::GDAL)
target_link_options(ogr_KELOBIN PRIVATE -Wl,--no-undefined)
# Only the registration function is seen by the GIS that loads the plugin.
set_target_properties(ogr_KELOBIN PROPERTIES PREFIX "" CXX_VISIBILITY_PRESET hidden
  VISIBILITY_INLINES_HIDDEN ON)

# LIBDIR/gdalplugins under the prefix given when installing, which the
# package and `cmake --install --prefix` name only then. GNUInstallDirs
# gives a Debian system's prefix /usr the multiarch LIBDIR, where GDAL
# looks for plugins; other prefixes need GDAL_DRIVER_PATH.
set(KELOBIN_USR_LIBDIR ${CMAKE_INSTALL_LIBDIR})
set(KELOBIN_OTHER_LIBDIR ${CMAKE_INSTALL_LIBDIR})
if(EXISTS /etc/debian_version AND CMAKE_LIBRARY_ARCHITECTURE)
  set(KELOBIN_USR_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE})
  set(KELOBIN_OTHER_LIBDIR lib)
endif()
install(CODE "
  set(KELOBIN_PLUGIN_DIR ${KELOBIN_OTHER_LIBDIR}/gdalplugins)
  if(CMAKE_INSTALL_PREFIX MATCHES \"^/usr/?$\")
    set(KELOBIN_PLUGIN_DIR ${KELOBIN_USR_LIBDIR}/gdalplugins)
  endif()" COMPONENT gdal)
install(TARGETS ogr_KELOBIN LIBRARY DESTINATION \${KELOBIN_PLUGIN_DIR} COMPONENT gdal)

if(DGNBIN_TESTS)
  target_compile_definitions(dgnbin_tests PRIVATE
    DGNBIN_GDAL_PLUGIN_DIR="${KELOBIN_OTHER_LIBDIR}/gdalplugins")
  add_executable(kelobin_driver_tests tests/gdal/kelobin_driver_test.cpp
    tests/support/program_run.cpp tests/support/bin_expect.cpp)
  target_include_directories(kelobin_driver_tests PRIVATE tests src)
  target_link_libraries(kelobin_driver_tests PRIVATE dgnbin_converter dgnbin_bin dgntest_builder GTest::gtest
    GTest::gtest_main)
  target_compile_definitions(kelobin_driver_tests PRIVATE
    DGNBIN_EXE="$<TARGET_FILE:dgnbin>"
    KELOBIN_EXE="$<TARGET_FILE:kelobin>"
    KELOBIN_PLUGIN_DIR="$<TARGET_FILE_DIR:ogr_KELOBIN>"
    DGNBIN_GDAL_PLUGIN_DIR="${KELOBIN_OTHER_LIBDIR}/gdalplugins"
    DGNBIN_BUILD_DIR="${CMAKE_CURRENT_BINARY_DIR}"
    DGNBIN_CMAKE="${CMAKE_COMMAND}"
    DGNBIN_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
  add_dependencies(kelobin_driver_tests ogr_KELOBIN dgnbin kelobin)
  gtest_discover_tests(kelobin_driver_tests DISCOVERY_TIMEOUT 60)
endif()
