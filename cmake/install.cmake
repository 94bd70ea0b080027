# Installing into the GNU places: the two libraries (with SONAME versions),
# the public headers, dmsctl with its man page and bash completion, CMake
# package files (dmscontent::dmscontent, dmscontent::tqdms) and pkg-config
# files. `cmake --build <dir> --target package` makes a Debian package of it.
# The Windows DLLs are zipped by scripts/package-windows.sh instead.
if(WIN32 OR DMS_FUZZ)
  return()
endif()

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# Before 1.0 every minor version may change the ABI.
if(PROJECT_VERSION_MAJOR EQUAL 0)
  set(DMS_SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
else()
  set(DMS_SOVERSION ${PROJECT_VERSION_MAJOR})
endif()
set_target_properties(dmscontent tqdms PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${DMS_SOVERSION}
                      INSTALL_RPATH "$ORIGIN")
# Installed headers are found under include/; in the tree, in include/ and
# beside the generated version header.
foreach(target dmscontent tqdms)
  set_property(TARGET ${target} PROPERTY INTERFACE_INCLUDE_DIRECTORIES
               $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include> $<BUILD_INTERFACE:${DMS_GENERATED_INCLUDE}>
               $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
endforeach()

install(TARGETS dmscontent tqdms EXPORT dmscontentTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/dmscontent ${PROJECT_SOURCE_DIR}/include/tqdms
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES ${DMS_GENERATED_INCLUDE}/dmscontent/version.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/dmscontent)

set(DMS_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/dmscontent)
install(EXPORT dmscontentTargets NAMESPACE dmscontent:: DESTINATION ${DMS_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/dmscontentConfig.cmake.in
                              ${CMAKE_BINARY_DIR}/dmscontentConfig.cmake INSTALL_DESTINATION ${DMS_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/dmscontentConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/dmscontentConfig.cmake ${CMAKE_BINARY_DIR}/dmscontentConfigVersion.cmake
        DESTINATION ${DMS_CMAKE_DIR})

# pkg-config files that find their prefix from where they lie, so that an
# installed tree can be moved (a package root, a test prefix).
file(RELATIVE_PATH DMS_PC_UP ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
foreach(pc dmscontent tqdms)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/pkgconfig/${pc}.pc.in ${CMAKE_BINARY_DIR}/pkgconfig/${pc}.pc @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/pkgconfig/${pc}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endforeach()

if(TARGET dmsctl)
  set_target_properties(dmsctl PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
  install(TARGETS dmsctl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The man page and the completion script come from dmsctl's own command
  # definitions, so they never fall behind them.
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/dmsctl.1 ${CMAKE_BINARY_DIR}/completion/dmsctl
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man ${CMAKE_BINARY_DIR}/completion
                     COMMAND dmsctl help man > ${CMAKE_BINARY_DIR}/man/dmsctl.1
                     COMMAND dmsctl help completion > ${CMAKE_BINARY_DIR}/completion/dmsctl
                     DEPENDS dmsctl VERBATIM)
  add_custom_target(dmsctl_docs ALL DEPENDS ${CMAKE_BINARY_DIR}/man/dmsctl.1 ${CMAKE_BINARY_DIR}/completion/dmsctl)
  install(FILES ${CMAKE_BINARY_DIR}/man/dmsctl.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${CMAKE_BINARY_DIR}/completion/dmsctl DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/CHANGELOG.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# One Debian package: libraries, headers and the tool, depending on the
# Debian libraries they link (found by dpkg-shlibdeps).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dmscontent)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Content for NTCIP 1203 dynamic message signs: library, headers and dmsctl")
set(CPACK_PACKAGE_CONTACT "dmscontent developers <dmscontent@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
include(CPack)
