#pragma once

#include "dib.h"

#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <optional>

namespace zark {

// Decodes the compressed pictures among the program's resources (PNG, JPEG) with the Windows
// Imaging Component, a part of Windows reached through COM: the program brings no decoder of
// its own. Only screens that need the large pictures pay for loading it.
class ImageDecoder {
public:
    // Enters the thread's COM apartment and loads the imaging component. False if either is
    // not to be had.
    bool open();

    // The RCDATA resource `id` decoded at `width` x `height`: as it is where it has that size,
    // else resampled as it is decoded, row by row, so that the program never holds the decoded
    // picture whole beside the result. Nothing if it is missing or no picture that the component
    // can read.
    std::optional<Dib32> decodeAt(HINSTANCE instance, int id, int width, int height) const;

private:
    Microsoft::WRL::ComPtr<IWICImagingFactory> factory_;
};

}  // namespace zark
