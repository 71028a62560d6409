#pragma once

#include <cstdint>
#include <vector>

namespace tessaro::richtext {

// An embedded picture. PNG and JPEG are shown as images; every other format is kept as data
// (so it survives a round trip) and shown as a placeholder.
struct Picture {
    enum class Format { Png, Jpeg, Emf, Wmf, MacPict, Dib, Bitmap, Unknown };

    Format format = Format::Unknown;
    std::vector<std::uint8_t> data;
    int widthTwips = 0; // displayed size; 0 = unknown
    int heightTwips = 0;
    int sourceWidth = 0; // RTF \picw / \pich as read (pixels or 0.01 mm, by format)
    int sourceHeight = 0;
    int metafileMapping = 0; // \wmetafileN mapping mode, \wbitmapN type

    bool isImage() const { return format == Format::Png || format == Format::Jpeg; }

    friend bool operator==(const Picture&, const Picture&) = default;
};

} // namespace tessaro::richtext
