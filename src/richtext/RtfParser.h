#pragma once

#include "richtext/CodePage.h"
#include "richtext/RtfReader.h"

#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace tessaro::richtext::detail {

// One pass over an RTF stream with a stack of group states. Text is collected as code-page
// bytes and decoded when the run ends, so \'hh pairs form double-byte characters.
class RtfParser {
public:
    RtfParser(std::span<const std::uint8_t> input, const ReadOptions& options);
    ReadResult run();

private:
    enum class Dest : std::uint8_t { Body, Skip, SkipUntilResult, FontTable, ColorTable, Picture };

    struct CharState {
        int font = -1; // -1: the default font, not named in the run
        int size = 0;
        int color = -1;
        int highlight = -1;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strike = false;
        VerticalAlign verticalAlign = VerticalAlign::Normal;
        // Word and LibreOffice give double-byte text its own font and properties: \dbch
        // selects double-byte text, and \f or the associated \af, \afs, \ab, \ai after
        // \dbch set them (after \rtlch they belong to right-to-left text and are ignored).
        bool doubleByte = false;
        bool assocToDbch = false;
        bool dbchBold = false;
        bool dbchItalic = false;
        int dbchFont = -1;
        int dbchSize = 0;

        friend bool operator==(const CharState&, const CharState&) = default;
    };

    struct State {
        Dest dest = Dest::Body;
        bool inTable = false;
        std::int16_t uc = 1;
        CharState chars;
        ParagraphFormat para;
    };

    struct Font {
        std::string name;
        int codePage = 0; // 0: the document's code page
    };

    void openGroup();
    void closeGroup();
    void controlSequence();
    void controlWord();
    void textChunk();
    void hexByte();

    void bodyWord(int keyword, bool hasParam, int param);
    void tableWord(int keyword, int param);
    void pictureWord(int keyword, bool hasParam, int param);
    void fontWord(int keyword, int param);
    void binary(int length);

    // Body text.
    void addBytes(const std::uint8_t* bytes, std::size_t length);
    void addCodePoint(char32_t codePoint);
    void addUnicode(int param);
    void addSpecial(Run::Kind kind);
    void beginText();
    void decodePending();
    void flushRun();
    void endParagraph(bool cellEnd);
    void endCell();
    void endRow();
    void closeTable();
    void finishPicture();
    void finishFontName();
    CharFormat formatOf(const CharState& chars) const;
    const CodePage* codePageOf(const CharState& chars);
    const CodePage* codePageOfFont(int font);

    void countElement();
    void warn(const char* message);
    State& state() { return m_stack.back(); }

    std::span<const std::uint8_t> m_input;
    std::size_t m_pos = 0;
    ReadOptions m_options;
    ReadResult m_result;
    bool m_done = false;
    std::size_t m_elements = 0;

    std::vector<State> m_stack;
    int m_overflowDepth = 0;
    int m_skip = 0; // fallback characters still to skip after \u
    bool m_ignorableNext = false;
    char32_t m_highSurrogate = 0;

    // Document properties.
    const CodePage* m_docCodePage = nullptr;
    int m_defaultFont = 0;
    std::unordered_map<int, Font> m_fonts;
    std::vector<std::optional<Color>> m_colors;
    int m_fontsVersion = 0;
    int m_cachedFont = -2;
    int m_cachedVersion = -1;
    const CodePage* m_cachedCodePage = nullptr;

    // Font and colour table parsing.
    Font* m_font = nullptr;
    bool m_fontNameDone = true;
    std::string m_fontNameBytes;
    const CodePage* m_fontNameCodePage = nullptr;
    Color m_color;
    bool m_colorSet = false;

    // The run being collected.
    bool m_runOpen = false;
    CharState m_runChars;
    const CodePage* m_runCodePage = nullptr;
    std::string m_runText;
    std::string m_runBytes;

    // Blocks being built.
    Paragraph m_paragraph;
    TableCell m_cell;
    TableRow m_row;
    Table m_table;
    std::vector<int> m_cellRight;
    int m_rowLeft = 0;

    // The picture being read.
    Picture m_picture;
    int m_pictureGoalWidth = 0;
    int m_pictureGoalHeight = 0;
    int m_pictureScaleX = 100;
    int m_pictureScaleY = 100;
    int m_nibble = -1;
};

} // namespace tessaro::richtext::detail
