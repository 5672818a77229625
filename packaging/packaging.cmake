# The Debian package: `cpack -G DEB` in a build folder (a Release one for a package to ship).
# Included by the top-level CMakeLists.txt after every subdirectory, so that the package holds
# everything they install.
set(CPACK_PACKAGE_NAME "kelvo-reductor")
set(CPACK_PACKAGE_VENDOR "Kelvo-Reductor")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reduces football-pool columns al 13, al 12 or al 11")
# Wrapped by hand: CPack keeps the lines as written, and Debian wants them under 80 columns.
set(CPACK_PACKAGE_DESCRIPTION [=[
Kelvo-Reductor takes a file of football-pool columns (lines of 14 signs 1, X
or 2) and writes a smaller set of them with a guarantee: al 13, every column
of the file differs from a chosen column in at most one sign; al 12, in at
most two; al 11, in at most three. If the winning column is in the file,
some chosen column then has at least 13, 12 or 11 signs right.

It comes as a desktop window (kelvo-reductor), which reduces up to 7000
columns al 13, and a command-line tool (kelvo-reduce), which reduces at
every guarantee and, when asked, any number of columns; it also checks a
reduction, writes the development of a forecast and scores columns against a
result.]=])
# Also the maintainer of the changelog's entries and the contact of the copyright file.
set(CPACK_PACKAGE_CONTACT "Kelvo-Reductor maintainers <kelvo-reductor@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# dpkg-shlibdeps reads the Qt 6 runtime packages (libqt6widgets6, libqt6gui6, libqt6core6) and the
# C++ runtime off the installed programs. Qt's own translations are no library: the planner loads
# them so that Qt's dialogs (the file dialog, the buttons of a question) speak Spanish.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")

# gzip -n keeps the compressed files' bytes free of the build's time.
find_program(KELVO_GZIP gzip REQUIRED)
set(kelvo_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in ${PROJECT_BINARY_DIR}/doc/copyright @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/doc/copyright DESTINATION ${kelvo_doc_dir})

# A native package's changelog, which Debian requires. Each release adds its entry by hand; the
# newest must be the project's version, so that a new version without one cannot be packaged.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/changelog.in kelvo_newest_entry LIMIT_COUNT 1)
string(REPLACE "." "\\." kelvo_version_pattern ${PROJECT_VERSION})
if(NOT kelvo_newest_entry MATCHES "^${CPACK_PACKAGE_NAME} \\(${kelvo_version_pattern}\\) ")
  message(FATAL_ERROR "packaging/changelog.in starts with \"${kelvo_newest_entry}\": add an "
                      "entry for version ${PROJECT_VERSION} at its top")
endif()
set(kelvo_changelog ${PROJECT_BINARY_DIR}/doc/changelog)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${kelvo_changelog} @ONLY)
add_custom_command(
  OUTPUT ${kelvo_changelog}.gz
  COMMAND ${KELVO_GZIP} -9 -n -k -f ${kelvo_changelog}
  DEPENDS ${kelvo_changelog}
  VERBATIM)
add_custom_target(kelvo_changelog ALL DEPENDS ${kelvo_changelog}.gz)
install(FILES ${kelvo_changelog}.gz DESTINATION ${kelvo_doc_dir})

# The manual page of kelvo-reduce is its --help and --version, so that the two never disagree.
# Left out where help2man (Debian package help2man) is missing.
find_program(KELVO_HELP2MAN help2man)
if(KELVO_HELP2MAN)
  set(kelvo_manual ${PROJECT_BINARY_DIR}/man/kelvo-reduce.1)
  add_custom_command(
    OUTPUT ${kelvo_manual}.gz
    # Ninja makes the folders of a command's outputs, Make does not; help2man needs it made.
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND ${KELVO_HELP2MAN} --no-info --section=1
            "--name=reduces football-pool columns al 13, al 12 or al 11"
            --output=${kelvo_manual} $<TARGET_FILE:kelvo-reduce>
    COMMAND ${KELVO_GZIP} -9 -n -f ${kelvo_manual}
    DEPENDS kelvo-reduce
    COMMENT "Writing the manual page of kelvo-reduce with help2man"
    VERBATIM)
  add_custom_target(kelvo_manual ALL DEPENDS ${kelvo_manual}.gz)
  install(FILES ${kelvo_manual}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(STATUS "No manual page for kelvo-reduce: help2man not found (Debian package help2man)")
endif()

# The windows take no options to write a page from, so their pages are written by hand.
if(KELVO_BUILD_UI)
  foreach(page kelvo-reductor.1 kelvo-planner.1)
    set(kelvo_page ${PROJECT_BINARY_DIR}/man/${page})
    add_custom_command(
      OUTPUT ${kelvo_page}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
      COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/man/${page} ${kelvo_page}
      COMMAND ${KELVO_GZIP} -9 -n -f ${kelvo_page}
      DEPENDS ${CMAKE_CURRENT_LIST_DIR}/man/${page}
      VERBATIM)
    list(APPEND kelvo_window_pages ${kelvo_page}.gz)
  endforeach()
  add_custom_target(kelvo_window_manuals ALL DEPENDS ${kelvo_window_pages})
  install(FILES ${kelvo_window_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

include(CPack)
