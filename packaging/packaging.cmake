# The Debian package: `cpack -G DEB` in the build folder. Included by the top-level CMakeLists.txt
# after every subdirectory, so that the package holds everything they install.
set(CPACK_PACKAGE_NAME "kelvo-reductor")
set(CPACK_PACKAGE_VENDOR "Kelvo-Reductor")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Reduces football-pool columns al 13")
set(CPACK_PACKAGE_DESCRIPTION
    "Kelvo-Reductor reduces a file of up to 7000 football-pool columns (14 signs of 1, X, 2) to a subset such that every column differs from a chosen one in at most one sign. It comes as a desktop window (kelvo-reductor) and a command-line tool (kelvo-reduce).")
set(CPACK_PACKAGE_CONTACT "Kelvo-Reductor maintainers <kelvo-reductor@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# dpkg-shlibdeps reads the Qt 6 runtime packages (libqt6widgets6, libqt6gui6, libqt6core6) and the
# C++ runtime off the installed programs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)
