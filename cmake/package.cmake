# The release package, made by the `package` target of the windows preset:
# ZARKLauncher-<release>-win64.zip with the launcher, zarkswitch and the players' guide, and
# beside it the archive's SHA-256 sum in ZARKLauncher-<release>-win64.zip.sha256. The files lie
# at the top of the archive, so that unpacking it into the game folder puts them beside sun.exe;
# the programs' symbol files stay in the build folder. The release, ZARK_RELEASE, comes from
# cmake/version.cmake.

# Notepad of older Windows versions shows LF-only text as one long line.
configure_file(${PROJECT_SOURCE_DIR}/docs/PLAYERS.txt ${CMAKE_BINARY_DIR}/PLAYERS.txt @ONLY NEWLINE_STYLE CRLF)

# A build folder in which CPack once made the package holds CPack's settings, and with them
# CMake reserves the target name `package` for CPack.
file(REMOVE ${CMAKE_BINARY_DIR}/CPackConfig.cmake ${CMAKE_BINARY_DIR}/CPackSourceConfig.cmake)

# Made anew on every call: it takes a moment, and so it always holds the programs as built.
add_custom_target(package
    COMMAND ${PROJECT_SOURCE_DIR}/cmake/package.sh
        ${CMAKE_BINARY_DIR}/ZARKLauncher-${ZARK_RELEASE}-win64.zip
        $<TARGET_FILE:ZARKLauncher> $<TARGET_FILE:zarkswitch> ${CMAKE_BINARY_DIR}/PLAYERS.txt
    VERBATIM
)
add_dependencies(package ZARKLauncher zarkswitch)
