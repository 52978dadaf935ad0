#include "imagedecoder.h"

#include "resample.h"

#include "win/comapartment.h"
#include "win/resourcebytes.h"

#include <vector>

namespace zark {

using Microsoft::WRL::ComPtr;

// The component's first factory, which Windows 7 has too; newer SDKs let the plain name stand
// for the second one, which it lacks.
bool ImageDecoder::open() { return SUCCEEDED(createInstance(CLSID_WICImagingFactory1, IID_PPV_ARGS(&factory_))); }

std::optional<Dib32> ImageDecoder::decodeAt(HINSTANCE instance, int id, int width, int height) const {
    ResourceBytes compressed;
    if (!findResource(instance, id, RT_RCDATA, compressed)) return std::nullopt;
    // The stream only reads the program file's copy, though its interface asks for a pointer
    // to writable bytes.
    auto* bytes = static_cast<BYTE*>(const_cast<void*>(compressed.data));

    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    UINT decodedWidth = 0;
    UINT decodedHeight = 0;
    if (FAILED(factory_->CreateStream(&stream)) || FAILED(stream->InitializeFromMemory(bytes, compressed.size)) ||
        FAILED(factory_->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(factory_->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&decodedWidth, &decodedHeight)) || decodedWidth == 0 || decodedHeight == 0) {
        return std::nullopt;
    }
    if (static_cast<int>(decodedWidth) == width && static_cast<int>(decodedHeight) == height) {
        Dib32 dib(width, height);
        if (FAILED(converter->CopyPixels(nullptr, decodedWidth * 4, dib.bytes(), static_cast<BYTE*>(dib.bits())))) {
            return std::nullopt;
        }
        return dib;
    }
    std::vector<BYTE> row(static_cast<size_t>(decodedWidth) * 4);
    bool copied = true;
    const PictureRows rows{static_cast<int>(decodedWidth), static_cast<int>(decodedHeight), 4, [&](int y) {
                               const WICRect line{0, y, static_cast<INT>(decodedWidth), 1};
                               copied = copied && SUCCEEDED(converter->CopyPixels(&line, decodedWidth * 4,
                                                                                  static_cast<UINT>(row.size()),
                                                                                  row.data()));
                               return row.data();
                           }};
    Dib32 made = resampled(rows, width, height);
    if (!copied) return std::nullopt;
    return made;
}

}  // namespace zark
