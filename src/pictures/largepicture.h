#pragma once

#include "pictures/dib.h"

#include <windows.h>

#include <optional>

namespace zark {

// A picture drawn at twice the resolution: a resource of type RT_LARGEPICTURE, PNG or JPEG, whole
// or cut into horizontal strips that follow each other from the top under consecutive ids (`id`,
// `id` + 1 ...), decoded by stb_image.
//
// The picture of `size` pixels resampled to `to`, each strip decoded as the resampling reaches
// its rows and let go once it has passed them, so that neither the decoded picture nor more than
// one strip of it is ever held. Nothing, with the thread's last error set, if a strip is missing,
// or ERROR_INVALID_DATA if the strips are no pictures of the picture's width that make up its
// height.
std::optional<Dib24> decodeLargePicture(HINSTANCE instance, int id, SIZE size, SIZE to);

}  // namespace zark
