#pragma once

#include "dib.h"
#include "imagedecoder.h"

#include <windows.h>

#include <optional>

namespace zark {

// One picture of the main window as a window at some DPI shows it. The picture comes twice
// among the resources: as a bitmap drawn for 96 dpi and, compressed, drawn afresh at twice the
// resolution.
class ScaledPicture {
public:
    ScaledPicture(int bitmapId, int largeId) : bitmapId_(bitmapId), largeId_(largeId) {}
    ScaledPicture(const ScaledPicture&) = delete;
    ScaledPicture& operator=(const ScaledPicture&) = delete;

    // Finds the 96 dpi bitmap. False with the thread's last error set if it is missing.
    bool find(HINSTANCE instance);

    // Makes the picture for `dpi` from the 96 dpi bitmap or, where a decoder is given, the large
    // picture: at 96 dpi the bitmap itself, with no copy; at the large picture's own scale the
    // large picture as it is; at any other scale the one it comes from, smoothly resampled.
    void showAt(HINSTANCE instance, UINT dpi, const ImageDecoder* decoder);

    // What the picture shows now. It keeps its address, so that a window can point at it, and
    // changes with showAt.
    const DibView& shown() const { return shown_; }

private:
    int bitmapId_;
    int largeId_;
    DibView bitmap_;
    std::optional<Dib32> made_;
    DibView shown_;
};

// The main window's five pictures at the window's DPI.
class Artwork {
public:
    Artwork();

    // Finds every picture's 96 dpi bitmap. False with the thread's last error set if one is
    // missing.
    bool find(HINSTANCE instance);

    // Makes every picture for `dpi`: from the 96 dpi bitmaps below 150 %, from the large ones
    // from 150 % up. If the large ones cannot be decoded, the bitmaps serve at every scale.
    void showAt(HINSTANCE instance, UINT dpi);

    const DibView& background() const { return background_.shown(); }
    const DibView& active() const { return active_.shown(); }
    const DibView& deactive() const { return deactive_.shown(); }
    const DibView& fsactive() const { return fsactive_.shown(); }
    const DibView& fsdeactive() const { return fsdeactive_.shown(); }

private:
    ScaledPicture background_;
    ScaledPicture active_;
    ScaledPicture deactive_;
    ScaledPicture fsactive_;
    ScaledPicture fsdeactive_;
};

}  // namespace zark
