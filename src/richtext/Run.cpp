#include "richtext/Run.h"

namespace tessaro::richtext {

Run Run::makeText(std::string text, CharFormat format) {
    return Run{Kind::Text, std::move(text), std::move(format), nullptr};
}

Run Run::makeLineBreak(CharFormat format) {
    return Run{Kind::LineBreak, {}, std::move(format), nullptr};
}

Run Run::makeTab(CharFormat format) {
    return Run{Kind::Tab, {}, std::move(format), nullptr};
}

Run Run::makePicture(Picture picture) {
    return Run{Kind::Picture, {}, {}, std::make_shared<const Picture>(std::move(picture))};
}

bool operator==(const Run& a, const Run& b) {
    if (a.kind != b.kind || a.text != b.text || a.format != b.format) {
        return false;
    }
    if (a.picture == b.picture) {
        return true;
    }
    return a.picture && b.picture && *a.picture == *b.picture;
}

} // namespace tessaro::richtext
