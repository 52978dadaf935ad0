#include "pictures/resample.h"

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

// The shares of all new pixels of an axis in one array: those of new pixel i from first[i] to
// first[i + 1].
struct Shares {
    std::vector<Share> all;
    std::vector<size_t> first;
};

Shares sharesAlong(int from, int to) {
    Shares shares;
    shares.first.reserve(static_cast<size_t>(to) + 1);
    for (int i = 0; i < to; ++i) {
        shares.first.push_back(shares.all.size());
        const std::int64_t start = std::int64_t{i} * from;
        const std::int64_t end = start + from;
        for (std::int64_t j = start / to; j * to < end; ++j) {
            const std::int64_t overlap = std::min(end, (j + 1) * to) - std::max(start, j * to);
            shares.all.push_back({static_cast<int>(j), static_cast<std::uint32_t>(overlap)});
        }
    }
    shares.first.push_back(shares.all.size());
    return shares;
}

// n / d rounded down, for every n below 2^bits (bits at most 31), by a multiplication and a
// shift, which cost a fraction of a division: m = ceil(2^k / d) with k = bits + ceil(log2 d)
// exceeds 2^k / d by less than 1, which adds less than n / 2^k < 1 / d to n / d: too little to
// reach the next whole number, since n / d lies at least 1 / d below it.
class Division {
public:
    Division(std::uint64_t d, int bits) {
        int log = 0;
        while ((std::uint64_t{1} << log) < d) ++log;
        shift_ = bits + log;
        multiplier_ = ((std::uint64_t{1} << shift_) + d - 1) / d;
    }

    std::uint64_t of(std::uint64_t n) const { return n * multiplier_ >> shift_; }

private:
    std::uint64_t multiplier_;
    int shift_;
};

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
// no more than one source row at the new width is kept. A colour's sum stays below 256 times the
// area, which is below 2^31 for pictures of fewer than 8 million pixels.
Dib24 resampled(const PictureRows& source, int width, int height) {
    const Shares across = sharesAlong(source.width, width);
    const Shares down = sharesAlong(source.height, height);

    std::vector<std::uint32_t> madeAcross(static_cast<size_t>(width) * kColours);
    int madeRow = -1;
    const auto rowAcross = [&](int y) -> const std::vector<std::uint32_t>& {
        if (y == madeRow) return madeAcross;
        const BYTE* row = source.row(y);
        std::uint32_t* out = madeAcross.data();
        for (size_t x = 0; x < static_cast<size_t>(width); ++x, out += kColours) {
            std::uint32_t blue = 0;
            std::uint32_t green = 0;
            std::uint32_t red = 0;
            for (size_t s = across.first[x]; s < across.first[x + 1]; ++s) {
                const Share& share = across.all[s];
                const BYTE* pixel = row + static_cast<size_t>(share.source) * static_cast<size_t>(source.bytesPerPixel);
                blue += share.weight * pixel[0];
                green += share.weight * pixel[1];
                red += share.weight * pixel[2];
            }
            out[0] = blue;
            out[1] = green;
            out[2] = red;
        }
        madeRow = y;
        return madeAcross;
    };

    Dib24 result(width, height);
    const std::uint64_t area =
        std::uint64_t{static_cast<std::uint32_t>(source.width)} * static_cast<std::uint32_t>(source.height);
    int bits = 0;
    while ((std::uint64_t{1} << bits) <= 256 * area) ++bits;
    const Division byArea(area, bits);
    std::vector<std::uint64_t> sums(static_cast<size_t>(width) * kColours);
    for (size_t y = 0; y < static_cast<size_t>(height); ++y) {
        std::fill(sums.begin(), sums.end(), 0);
        for (size_t s = down.first[y]; s < down.first[y + 1]; ++s) {
            const Share& share = down.all[s];
            const std::vector<std::uint32_t>& in = rowAcross(share.source);
            for (size_t i = 0; i < sums.size(); ++i) sums[i] += std::uint64_t{share.weight} * in[i];
        }
        BYTE* out = result.row(static_cast<int>(y));
        for (size_t i = 0; i < sums.size(); ++i) out[i] = static_cast<BYTE>(byArea.of(sums[i] + area / 2));
    }
    return result;
}

}  // namespace zark
