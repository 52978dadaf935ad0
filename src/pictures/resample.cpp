#include "resample.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zark {

namespace {

// Along one axis: which source pixels a new pixel covers, and by how much. Measured in units
// of 1/(from * to) of the axis, a source pixel is `to` units long and a new pixel `from`, so
// the shares are whole numbers and those of one new pixel add up to `from`.
struct Share {
    int source;
    std::uint32_t weight;
};

std::vector<std::vector<Share>> sharesAlong(int from, int to) {
    std::vector<std::vector<Share>> shares(static_cast<size_t>(to));
    for (int i = 0; i < to; ++i) {
        const std::int64_t start = std::int64_t{i} * from;
        const std::int64_t end = start + from;
        for (std::int64_t j = start / to; j * to < end; ++j) {
            const std::int64_t overlap = std::min(end, (j + 1) * to) - std::max(start, j * to);
            shares[static_cast<size_t>(i)].push_back({static_cast<int>(j), static_cast<std::uint32_t>(overlap)});
        }
    }
    return shares;
}

constexpr int kColours = 3;

}  // namespace

PictureRows rowsOf(const DibView& dib) {
    const BITMAPINFOHEADER& header = dib.info->bmiHeader;
    const size_t stride = (static_cast<size_t>(header.biWidth) * header.biBitCount + 31) / 32 * 4;
    const bool bottomUp = header.biHeight > 0;
    const int height = dib.height();
    return {dib.width(), height, header.biBitCount / 8, [dib, stride, bottomUp, height](int y) {
                const int stored = bottomUp ? height - 1 - y : y;
                return static_cast<const BYTE*>(dib.bits) + stride * static_cast<size_t>(stored);
            }};
}

// Across, then down, in whole numbers: each source row at the new width, each colour summed with
// its weights; then those rows summed with theirs, and one rounding of the whole area's sum. A
// new row needs only the source rows that it covers, each made across once as it is reached, so
// no more than one source row at the new width is kept.
Dib32 resampled(const PictureRows& source, int width, int height) {
    const int sourceWidth = source.width;
    const int sourceHeight = source.height;
    const auto across = sharesAlong(sourceWidth, width);
    const auto down = sharesAlong(sourceHeight, height);

    std::vector<std::uint32_t> madeAcross(static_cast<size_t>(width) * kColours);
    int madeRow = -1;
    const auto rowAcross = [&](int y) -> const std::vector<std::uint32_t>& {
        if (y == madeRow) return madeAcross;
        std::fill(madeAcross.begin(), madeAcross.end(), 0);
        const BYTE* row = source.row(y);
        for (int x = 0; x < width; ++x) {
            for (const Share& share : across[static_cast<size_t>(x)]) {
                const BYTE* pixel = row + static_cast<size_t>(share.source) * source.bytesPerPixel;
                for (int c = 0; c < kColours; ++c) madeAcross[static_cast<size_t>(x) * kColours + c] += share.weight * pixel[c];
            }
        }
        madeRow = y;
        return madeAcross;
    };

    Dib32 result(width, height);
    const std::uint64_t area = std::uint64_t{static_cast<std::uint32_t>(sourceWidth)} * sourceHeight;
    std::vector<std::uint64_t> sums(static_cast<size_t>(width) * kColours);
    for (int y = 0; y < height; ++y) {
        std::fill(sums.begin(), sums.end(), 0);
        for (const Share& share : down[static_cast<size_t>(y)]) {
            const std::vector<std::uint32_t>& in = rowAcross(share.source);
            for (size_t i = 0; i < sums.size(); ++i) sums[i] += std::uint64_t{share.weight} * in[i];
        }
        std::uint32_t* out = result.row(y);
        for (int x = 0; x < width; ++x) {
            std::uint32_t pixel = 0;
            for (int c = 0; c < kColours; ++c) {
                const std::uint64_t sum = sums[static_cast<size_t>(x) * kColours + c];
                pixel |= static_cast<std::uint32_t>((sum + area / 2) / area) << (8 * c);
            }
            out[x] = pixel;
        }
    }
    return result;
}

}  // namespace zark
