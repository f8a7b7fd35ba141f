# What `cmake --install` puts under the prefix, and the Debian package that
# `make package` builds from the same rules.
include(GNUInstallDirs)

install(TARGETS dgnbin dgnbin-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET kelobin)
  install(TARGETS kelobin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# Every page in docs/, so that a program's page is installed once it is written.
file(GLOB DGNBIN_MAN_PAGES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/docs/*.1)
install(FILES ${DGNBIN_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The examples keep their folder, so that the README's paths hold; the
# files the demo writes (.bin, .ERR) are left out.
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES examples/DGNBIN.TAB examples/plano2d.dgn examples/plano3d.dgn
  DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
install(PROGRAMS examples/demo.sh DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

set(DGNBIN_PACKAGE_MAINTAINER "dgnbin <dgnbin@example.org>"
  CACHE STRING "Maintainer field of the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dgnbin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${DGNBIN_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${DGNBIN_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "converts DGN design files (version 7) into BIN files for the KELO mapping system")
# CPack puts the summary above this as the description's first line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "dgnbin converts one design file into one BIN file, taking the KELO feature
codes from the code table DGNBIN.TAB and listing every symbology without a
row in an error file. dgnbin-batch converts every design file under some
folders, several at a time, and merges the lists of missing symbologies.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
find_program(DGNBIN_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DGNBIN_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libstdc++6")
endif()
include(CPack)
