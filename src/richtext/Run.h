#pragma once

#include "richtext/CharFormat.h"
#include "richtext/Picture.h"

#include <memory>
#include <string>

namespace tessaro::richtext {

// One piece of a paragraph: text in one format, a line break, a tab or a picture.
struct Run {
    enum class Kind { Text, LineBreak, Tab, Picture };

    Kind kind = Kind::Text;
    std::string text; // UTF-8, Kind::Text only
    CharFormat format;
    std::shared_ptr<const Picture> picture; // Kind::Picture only

    static Run makeText(std::string text, CharFormat format = {});
    static Run makeLineBreak(CharFormat format = {});
    static Run makeTab(CharFormat format = {});
    static Run makePicture(Picture picture);

    friend bool operator==(const Run& a, const Run& b);
};

} // namespace tessaro::richtext
