# Read by cpack for each generator. The Debian package runs the install
# rules with its own prefix, /usr, which the GDAL plugin's folder depends on
# (cmake/gdal_driver.cmake); other generators keep the configured prefix.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_SET_DESTDIR ON)
  set(CPACK_INSTALL_PREFIX /usr)
endif()
