#include "pictures/resourcebitmap.h"

#include "pictures/resourcebytes.h"

namespace zark {

bool findResourceBitmap(HINSTANCE instance, int id, DibView& bitmap) {
    ResourceBytes bytes;
    if (!findResource(instance, id, RT_BITMAP, bytes)) return false;
    const auto* info = static_cast<const BITMAPINFO*>(bytes.data);

    // The pixels follow the header and the colour table (or the three masks of BI_BITFIELDS).
    const BITMAPINFOHEADER& header = info->bmiHeader;
    DWORD colours = header.biClrUsed;
    if (colours == 0 && header.biBitCount <= 8) colours = 1u << header.biBitCount;
    DWORD tableSize = colours * sizeof(RGBQUAD);
    if (header.biCompression == BI_BITFIELDS && header.biSize == sizeof(BITMAPINFOHEADER))
        tableSize += 3 * sizeof(DWORD);
    bitmap.info = info;
    bitmap.bits = reinterpret_cast<const BYTE*>(info) + header.biSize + tableSize;
    return true;
}

}  // namespace zark
