# The release package, made by the `package` target of the windows preset:
# ZARKLauncher-<release>-win64.zip with the launcher, zarkswitch and the players' guide. The
# files lie at the top of the archive, so that unpacking it into the game folder puts them
# beside sun.exe. The release, ZARK_RELEASE, comes from cmake/version.cmake.

# Notepad of older Windows versions shows LF-only text as one long line.
configure_file(${PROJECT_SOURCE_DIR}/docs/PLAYERS.txt ${CMAKE_BINARY_DIR}/PLAYERS.txt @ONLY NEWLINE_STYLE CRLF)

install(TARGETS ZARKLauncher zarkswitch RUNTIME DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/PLAYERS.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME ZARKLauncher)
set(CPACK_PACKAGE_VERSION ${ZARK_RELEASE})
set(CPACK_PACKAGE_FILE_NAME ZARKLauncher-${ZARK_RELEASE}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
