#pragma once

namespace tessaro::richtext {

enum class Alignment { Left, Center, Right, Justify };

// Paragraph formatting. Lengths are in twips (1/1440 inch), as RTF writes them.
struct ParagraphFormat {
    Alignment alignment = Alignment::Left;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstLineIndent = 0; // negative for a hanging indent
    int spaceBefore = 0;
    int spaceAfter = 0;
    // RTF \sl: 0 = single spacing; > 0 at least, < 0 exactly this many twips; with
    // lineSpacingMultiple the value is in 240ths of a line (240 = single, 480 = double).
    int lineSpacing = 0;
    bool lineSpacingMultiple = false;

    friend bool operator==(const ParagraphFormat&, const ParagraphFormat&) = default;
};

} // namespace tessaro::richtext
