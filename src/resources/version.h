// The program's version and names, shared by the version block of the program file and the
// texts of its windows so that they cannot drift apart. Plain string literals: the resource
// compiler reads this file too; C++ code widens them by concatenation with L"".
#pragma once

#define ZARK_VERSION_NUMBERS 1, 2, 0, 0
#define ZARK_VERSION_TEXT "1.02"
// The release as players and package names know it.
#define ZARK_RELEASE "1.2"
#define ZARK_PRODUCT_NAME "ZARK Launcher v1.2"
#define ZARK_FILE_DESCRIPTION "ZARK modification for Tiberian Sun Launcher"
#define ZARK_INTERNAL_NAME "ZARKLauncher"
#define ZARK_ORIGINAL_FILENAME "ZARKLauncher.exe"
