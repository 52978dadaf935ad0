#include "pictures/largepicture.h"

#include "pictures/resample.h"

#include "pictures/resourcebytes.h"
#include "resources/resource.h"

#include <stb_image.h>

#include <memory>
#include <utility>
#include <vector>

namespace zark {

namespace {

struct Strip {
    ResourceBytes compressed;
    int height;
};

// The picture's rows in order from the top: each strip is decoded when the first of its rows is
// asked for, the one before it freed first. From a strip that cannot be decoded on, the rows are
// black and the picture has failed.
class StripRows {
public:
    StripRows(std::vector<Strip> strips, int width)
        : strips_(std::move(strips)), width_(width), blank_(static_cast<size_t>(width) * 3) {}

    const BYTE* row(int y) {
        while (!failed_ && y >= top_ + height_) failed_ = !decodeNext();
        if (failed_) return blank_.data();
        return decoded_.get() + static_cast<size_t>(y - top_) * static_cast<size_t>(width_) * 3;
    }

    bool failed() const { return failed_; }

private:
    bool decodeNext() {
        top_ += height_;
        height_ = 0;
        decoded_.reset();
        if (next_ == strips_.size()) return false;
        const Strip& strip = strips_[next_++];
        int width = 0;
        int height = 0;
        int channels = 0;
        decoded_.reset(stbi_load_from_memory(static_cast<const stbi_uc*>(strip.compressed.data),
                                             static_cast<int>(strip.compressed.size), &width, &height, &channels, 3));
        if (!decoded_ || width != width_ || height != strip.height) return false;
        height_ = height;
        // stb_image gives red, green and blue; a bitmap's pixels are blue, green and red.
        BYTE* pixel = decoded_.get();
        for (size_t i = 0; i < static_cast<size_t>(width) * static_cast<size_t>(height); ++i, pixel += 3) {
            std::swap(pixel[0], pixel[2]);
        }
        return true;
    }

    std::vector<Strip> strips_;
    int width_;
    size_t next_ = 0;
    int top_ = 0;     // the first row of the strip held
    int height_ = 0;  // and how many rows it has
    std::unique_ptr<BYTE, void (*)(void*)> decoded_{nullptr, stbi_image_free};
    std::vector<BYTE> blank_;
    bool failed_ = false;
};

}  // namespace

std::optional<Dib24> decodeLargePicture(HINSTANCE instance, int id, SIZE size, SIZE to) {
    // The strips' sizes come from their headers, before anything is decoded.
    std::vector<Strip> strips;
    for (int height = 0; height < size.cy;) {
        ResourceBytes compressed;
        if (!findResource(instance, id + static_cast<int>(strips.size()), MAKEINTRESOURCEW(RT_LARGEPICTURE),
                          compressed)) {
            return std::nullopt;
        }
        int width = 0;
        int rows = 0;
        int channels = 0;
        if (!stbi_info_from_memory(static_cast<const stbi_uc*>(compressed.data), static_cast<int>(compressed.size),
                                   &width, &rows, &channels) ||
            width != size.cx || rows <= 0 || rows > size.cy - height) {
            SetLastError(ERROR_INVALID_DATA);
            return std::nullopt;
        }
        strips.push_back({compressed, rows});
        height += rows;
    }
    StripRows rows(std::move(strips), size.cx);
    Dib24 made = resampled({size.cx, size.cy, 3, [&rows](int y) { return rows.row(y); }}, to.cx, to.cy);
    if (rows.failed()) {
        SetLastError(ERROR_INVALID_DATA);
        return std::nullopt;
    }
    return made;
}

}  // namespace zark
