#pragma once

#include "pictures/dib.h"

#include <windows.h>

#include <optional>

namespace zark {

// The picture drawn at twice the resolution (RT_LARGEPICTURE `id`, PNG or JPEG, or its
// horizontal strips under `id`, `id` + 1 ...) of `size` pixels, resampled to `to`. A strip is
// decoded when the resampling reaches it and freed when it has passed it, so that the decoded
// picture is never held whole. Nothing, with the last error set, if a strip is missing or no
// picture of that width (ERROR_INVALID_DATA).
std::optional<Dib24> decodeLargePicture(HINSTANCE instance, int id, SIZE size, SIZE to);

}  // namespace zark
