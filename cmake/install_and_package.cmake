# What `cmake --install` puts under the prefix, and the Debian package that
# `make package` builds from the same rules.
include(GNUInstallDirs)

# Each rule names its component, which is its Debian package: dgnbin, and
# dgnbin-gdal for the GDAL plugin (cmake/gdal_driver.cmake).
install(TARGETS dgnbin dgnbin-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT dgnbin)
if(TARGET kelobin)
  install(TARGETS kelobin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT dgnbin)
endif()

# Every page in docs/, so that a program's page is installed once it is
# written; compressed, as Debian wants them and man reads them.
find_program(DGNBIN_GZIP gzip)
file(GLOB DGNBIN_MAN_PAGES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/docs/*.1)
if(DGNBIN_GZIP)
  foreach(page ${DGNBIN_MAN_PAGES})
    get_filename_component(name ${page} NAME)
    set(packed ${CMAKE_CURRENT_BINARY_DIR}/man/${name}.gz)
    add_custom_command(OUTPUT ${packed} DEPENDS ${page}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
      COMMAND ${DGNBIN_GZIP} -9nc ${page} > ${packed} VERBATIM)
    list(APPEND DGNBIN_PACKED_PAGES ${packed})
  endforeach()
  add_custom_target(dgnbin_man_pages ALL DEPENDS ${DGNBIN_PACKED_PAGES})
  set(DGNBIN_MAN_PAGES ${DGNBIN_PACKED_PAGES})
endif()
install(FILES ${DGNBIN_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT dgnbin)

# The examples keep their folder, so that the README's paths hold; the
# files the demo writes (.bin, .ERR) are left out.
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT dgnbin)
install(FILES examples/DGNBIN.TAB examples/plano2d.dgn examples/plano3d.dgn
  DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples COMPONENT dgnbin)
install(PROGRAMS examples/demo.sh DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples COMPONENT dgnbin)

set(DGNBIN_PACKAGE_MAINTAINER "dgnbin <dgnbin@example.org>"
  CACHE STRING "Maintainer field of the Debian package")

# Every package's copyright file, whose licence is LICENSE word for word,
# and its changelog, in share/doc/PACKAGE.
file(READ LICENSE DGNBIN_LICENCE_TEXT)
string(STRIP "${DGNBIN_LICENCE_TEXT}" DGNBIN_LICENCE_TEXT)
string(REPLACE "\n" "\n " DGNBIN_LICENCE_TEXT " ${DGNBIN_LICENCE_TEXT}")
string(REPLACE "\n \n" "\n .\n" DGNBIN_LICENCE_TEXT "${DGNBIN_LICENCE_TEXT}")
string(TIMESTAMP DGNBIN_DEB_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
function(dgnbin_package_documents component DGNBIN_DEB_PACKAGE DGNBIN_DEB_CHANGE)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/debian/${DGNBIN_DEB_PACKAGE})
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/cmake/debian/copyright.in ${dir}/copyright @ONLY)
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/cmake/debian/changelog.in ${dir}/changelog @ONLY)
  set(changelog ${dir}/changelog)
  if(DGNBIN_GZIP)
    execute_process(COMMAND ${DGNBIN_GZIP} -9nc ${dir}/changelog OUTPUT_FILE ${dir}/changelog.gz)
    set(changelog ${dir}/changelog.gz)
  endif()
  install(FILES ${dir}/copyright ${changelog}
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${DGNBIN_DEB_PACKAGE} COMPONENT ${component})
endfunction()
dgnbin_package_documents(dgnbin dgnbin "Release ${PROJECT_VERSION}: dgnbin, dgnbin-batch and kelobin.")
if(TARGET ogr_KELOBIN)
  dgnbin_package_documents(gdal dgnbin-gdal
    "Release ${PROJECT_VERSION}: the first KELOBIN GDAL driver, read-only.")
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dgnbin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${DGNBIN_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${DGNBIN_PACKAGE_MAINTAINER})
# One package per component; each description's first line is its summary.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL dgnbin)
set(CPACK_DEBIAN_DGNBIN_PACKAGE_NAME dgnbin)
set(CPACK_DEBIAN_DGNBIN_DESCRIPTION
  "converts DGN design files (version 7) into BIN files for the KELO mapping system
dgnbin converts one design file into one BIN file, taking the KELO feature
codes from the code table DGNBIN.TAB and listing every symbology without a
row in an error file. dgnbin-batch converts every design file under some
folders, several at a time, and merges the lists of missing symbologies.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/cmake/debian/cpack_options.cmake)
find_program(DGNBIN_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DGNBIN_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libstdc++6")
endif()
if(TARGET ogr_KELOBIN)
  list(APPEND CPACK_COMPONENTS_ALL gdal)
  set(CPACK_DEBIAN_GDAL_PACKAGE_NAME dgnbin-gdal)
  set(CPACK_DEBIAN_GDAL_PACKAGE_SECTION science)
  set(CPACK_DEBIAN_GDAL_DESCRIPTION "GDAL driver that reads KELO BIN files
The KELOBIN driver lets GDAL's programs (ogrinfo, ogr2ogr) and the desktop
GIS built on GDAL open the BIN files that dgnbin writes, read-only: points,
lines and texts in layers of their own, with their codes and items.")
  if(NOT DGNBIN_DPKG_SHLIBDEPS)
    # libgdal.so.N comes in Debian's package libgdalN.
    get_target_property(gdal_library GDAL::GDAL LOCATION)
    string(REGEX REPLACE ".*libgdal\\.so\\.([0-9]+).*" "libgdal\\1" gdal_package "${gdal_library}")
    set(CPACK_DEBIAN_GDAL_PACKAGE_DEPENDS "libc6, libstdc++6, ${gdal_package}")
  endif()
endif()
include(CPack)
