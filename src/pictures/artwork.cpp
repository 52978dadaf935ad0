#include "artwork.h"

#include "imagedecoder.h"
#include "resample.h"
#include "resourcebitmap.h"
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

void ScaledPicture::showAt(HINSTANCE instance, UINT dpi, const ImageDecoder* decoder) {
    if (dpi == kLayoutDpi) {
        made_.reset();
        shown_ = bitmap_;
        return;
    }
    const int width = scaled(bitmap_.width(), dpi);
    const int height = scaled(bitmap_.height(), dpi);
    std::optional<Dib32> made = decoder ? decoder->decodeAt(instance, largeId_, width, height) : std::nullopt;
    if (!made) made = resampled(rowsOf(bitmap_), width, height);
    made_ = std::move(made);
    shown_ = made_->view();
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

// The decoder lives for this one call: a screen below 150 % never loads the imaging component,
// and once the pictures are made it is let go.
void Artwork::showAt(HINSTANCE instance, UINT dpi) {
    ImageDecoder decoder;
    const bool large = dpi >= kLargeFromDpi && decoder.open();
    for (ScaledPicture* picture : {&background_, &active_, &deactive_, &fsactive_, &fsdeactive_}) {
        picture->showAt(instance, dpi, large ? &decoder : nullptr);
    }
}

}  // namespace zark
