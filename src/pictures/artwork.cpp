#include "pictures/artwork.h"

#include "pictures/largepicture.h"
#include "pictures/resample.h"
#include "pictures/resourcebitmap.h"
#include "resources/resource.h"
#include "win/dpi.h"

#include <utility>

namespace zark {

namespace {

// From 150 % up the large pictures are the nearer set.
constexpr UINT kLargeFromDpi = kLayoutDpi * 3 / 2;

}  // namespace

bool ScaledPicture::find(HINSTANCE instance) {
    if (!findResourceBitmap(instance, bitmapId_, bitmap_)) return false;
    shown_ = bitmap_;
    return true;
}

std::optional<Failure> ScaledPicture::showAt(HINSTANCE instance, UINT dpi) {
    if (dpi == kLayoutDpi) {
        made_.reset();
        shown_ = bitmap_;
        return std::nullopt;
    }
    const SIZE size{bitmap_.width(), bitmap_.height()};
    const SIZE to{scaled(size.cx, dpi), scaled(size.cy, dpi)};
    std::optional<Dib24> made;
    if (dpi >= kLargeFromDpi) {
        made = decodeLargePicture(instance, largeId_, {2 * size.cx, 2 * size.cy}, to);
        if (!made) return lastFailure({});
    } else {
        made = resampled(rowsOf(bitmap_), to.cx, to.cy);
    }
    made_ = std::move(made);
    shown_ = made_->view();
    return std::nullopt;
}

Artwork::Artwork()
    : background_(IDB_BACKGROUND, IDB_BACKGROUND_2X),
      active_(IDB_ACTIVE, IDB_ACTIVE_2X),
      deactive_(IDB_DEACTIVE, IDB_DEACTIVE_2X),
      fsactive_(IDB_FSACTIVE, IDB_FSACTIVE_2X),
      fsdeactive_(IDB_FSDEACTIVE, IDB_FSDEACTIVE_2X) {}

bool Artwork::find(HINSTANCE instance) {
    return background_.find(instance) && active_.find(instance) && deactive_.find(instance) &&
           fsactive_.find(instance) && fsdeactive_.find(instance);
}

std::optional<Failure> Artwork::showAt(HINSTANCE instance, UINT dpi) {
    for (ScaledPicture* picture : {&background_, &active_, &deactive_, &fsactive_, &fsdeactive_}) {
        if (auto failure = picture->showAt(instance, dpi)) return failure;
    }
    return std::nullopt;
}

}  // namespace zark
