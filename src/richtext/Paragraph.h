#pragma once

#include "richtext/ParagraphFormat.h"
#include "richtext/Run.h"

#include <vector>

namespace tessaro::richtext {

struct Paragraph {
    ParagraphFormat format;
    std::vector<Run> runs;

    bool empty() const { return runs.empty(); }

    friend bool operator==(const Paragraph&, const Paragraph&) = default;
};

} // namespace tessaro::richtext
