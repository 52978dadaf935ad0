#pragma once

#include <string>

namespace zark {

// The credits text of the About box: the heading, then the launcher's programmer, its
// graphics artist and the modification's author, each beginning a line of its own when
// wrapped to the credits label.
std::wstring credits();

}  // namespace zark
