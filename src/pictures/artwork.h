#pragma once

#include "pictures/dib.h"
#include "switching/failure.h"

#include <windows.h>

#include <optional>

namespace zark {

// One picture of the main window as a window at some DPI shows it. The picture comes twice
// among the resources: as a bitmap drawn for 96 dpi and, compressed, drawn afresh at twice the
// resolution, which only screens from 150 % up read.
class ScaledPicture {
public:
    ScaledPicture(int bitmapId, int largeId) : bitmapId_(bitmapId), largeId_(largeId) {}
    ScaledPicture(const ScaledPicture&) = delete;
    ScaledPicture& operator=(const ScaledPicture&) = delete;

    // Finds the 96 dpi bitmap. False with the thread's last error set if it is missing.
    bool find(HINSTANCE instance);

    // Makes the picture for `dpi`: at 96 dpi the bitmap itself, with no copy; below 150 % the
    // bitmap, from 150 % up the large picture, smoothly resampled (at the large picture's own
    // scale to the same pixels). The failure that kept the large picture from being decoded is
    // returned, and then the picture shows what it showed before.
    std::optional<Failure> showAt(HINSTANCE instance, UINT dpi);

    // What the picture shows now. It keeps its address, so that a window can point at it, and
    // changes with showAt.
    const DibView& shown() const { return shown_; }

private:
    int bitmapId_;
    int largeId_;
    DibView bitmap_;
    std::optional<Dib24> made_;
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
    // from 150 % up. The failure that kept a large picture from being decoded is returned.
    std::optional<Failure> showAt(HINSTANCE instance, UINT dpi);

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
