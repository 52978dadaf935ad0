#include "imagedecoder.h"

#include "win/comapartment.h"
#include "win/resourcebytes.h"

namespace zark {

using Microsoft::WRL::ComPtr;

// The component's first factory, which Windows 7 has too; newer SDKs let the plain name stand
// for the second one, which it lacks.
bool ImageDecoder::open() { return SUCCEEDED(createInstance(CLSID_WICImagingFactory1, IID_PPV_ARGS(&factory_))); }

std::optional<Dib32> ImageDecoder::decode(HINSTANCE instance, int id) const {
    ResourceBytes compressed;
    if (!findResource(instance, id, RT_RCDATA, compressed)) return std::nullopt;
    // The stream only reads the program file's copy, though its interface asks for a pointer
    // to writable bytes.
    auto* bytes = static_cast<BYTE*>(const_cast<void*>(compressed.data));

    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(factory_->CreateStream(&stream)) || FAILED(stream->InitializeFromMemory(bytes, compressed.size)) ||
        FAILED(factory_->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(factory_->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0) {
        return std::nullopt;
    }
    Dib32 dib(static_cast<int>(width), static_cast<int>(height));
    if (FAILED(converter->CopyPixels(nullptr, width * 4, dib.bytes(), static_cast<BYTE*>(dib.bits())))) {
        return std::nullopt;
    }
    return dib;
}

}  // namespace zark
