# The version is stated once, in project(); every form of it that the programs, their version
# blocks, the manifest and the release package show is derived here. version.h is generated
# for both presets, since zarkswitch prints the version natively too.
set(ZARK_RELEASE ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
set(ZARK_PRODUCT_NAME "ZARK Launcher v${ZARK_RELEASE}")
# The version block's numbers and the manifest's version: major, minor, patch and build.
set(ZARK_VERSION_NUMBERS "${PROJECT_VERSION_MAJOR}, ${PROJECT_VERSION_MINOR}, ${PROJECT_VERSION_PATCH}, 0")
set(ZARK_VERSION_DOTTED "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
# The version block's text writes the minor number with two digits, a zero before a single one.
math(EXPR minor_two_digits "100 + ${PROJECT_VERSION_MINOR}")
string(SUBSTRING ${minor_two_digits} 1 2 minor_two_digits)
set(ZARK_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${minor_two_digits}")

# Generated files go here, each under the folder of its template: the programs include
# "resources/version.h" from this path.
set(ZARK_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/src/resources/version.h.in ${ZARK_GENERATED_DIR}/resources/version.h @ONLY)
