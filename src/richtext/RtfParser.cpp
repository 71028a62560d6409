#include "richtext/RtfParser.h"

#include "richtext/TableLayout.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>

namespace tessaro::richtext::detail {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr int kMaxLength = 31680 * 4; // lengths in twips are clamped to 88 inches

enum Keyword : int {
    kwUnknown,
    // destinations
    kwFonttbl,
    kwColortbl,
    kwPict,
    kwFldinst,
    kwFldrslt,
    kwObject,
    kwResult,
    kwShppict,
    kwSkipDest,
    // document
    kwAnsi,
    kwMac,
    kwPc,
    kwPca,
    kwAnsicpg,
    kwDeff,
    kwUc,
    kwU,
    kwBin,
    // font table
    kwF,
    kwFcharset,
    kwCpg,
    // colour table
    kwRed,
    kwGreen,
    kwBlue,
    // character
    kwPlain,
    kwB,
    kwI,
    kwUl,
    kwUlnone,
    kwStrike,
    kwFs,
    kwCf,
    kwHighlight,
    kwSuper,
    kwSub,
    kwNosupersub,
    kwUp,
    kwDn,
    kwLoch,
    kwHich,
    kwDbch,
    kwRtlch,
    kwLtrch,
    kwAf,
    kwAfs,
    kwAb,
    kwAi,
    // paragraph
    kwPard,
    kwPar,
    kwLine,
    kwTab,
    kwQl,
    kwQc,
    kwQr,
    kwQj,
    kwLi,
    kwRi,
    kwFi,
    kwSb,
    kwSa,
    kwSl,
    kwSlmult,
    // table
    kwIntbl,
    kwCell,
    kwNestcell,
    kwRow,
    kwTrowd,
    kwCellx,
    kwTrleft,
    // picture
    kwPngblip,
    kwJpegblip,
    kwEmfblip,
    kwWmetafile,
    kwMacpict,
    kwDibitmap,
    kwWbitmap,
    kwPicw,
    kwPich,
    kwPicwgoal,
    kwPichgoal,
    kwPicscalex,
    kwPicscaley,
    // characters
    kwChar,
};

struct KeywordInfo {
    Keyword keyword;
    char32_t character = 0; // kwChar
};

const std::unordered_map<std::string_view, KeywordInfo>& keywords() {
    static const std::unordered_map<std::string_view, KeywordInfo> table = [] {
        std::unordered_map<std::string_view, KeywordInfo> t;
        for (const char* name : {"author",
                                 "buptim",
                                 "comment",
                                 "creatim",
                                 "doccomm",
                                 "footer",
                                 "footerf",
                                 "footerl",
                                 "footerr",
                                 "footnote",
                                 "ftncn",
                                 "ftnsep",
                                 "ftnsepc",
                                 "header",
                                 "headerf",
                                 "headerl",
                                 "headerr",
                                 "info",
                                 "keywords",
                                 "operator",
                                 "printim",
                                 "private",
                                 "revtim",
                                 "rxe",
                                 "stylesheet",
                                 "subject",
                                 "tc",
                                 "title",
                                 "txe",
                                 "xe",
                                 "pn",
                                 "pntxta",
                                 "pntxtb",
                                 "objdata",
                                 "objclass",
                                 "objname",
                                 "datafield",
                                 "template",
                                 "nonshppict",
                                 "listtable",
                                 "listoverridetable",
                                 "revtbl",
                                 "rsidtbl",
                                 "filetbl",
                                 "annotation",
                                 "atnauthor",
                                 "atnid",
                                 "atrfstart",
                                 "atrfend",
                                 "bkmkstart",
                                 "bkmkend",
                                 "themedata",
                                 "colorschememapping",
                                 "latentstyles",
                                 "datastore",
                                 "xmlnstbl",
                                 "mmathPr",
                                 "generator",
                                 "userprops",
                                 "docvar",
                                 "pgdsctbl",
                                 "listpicture",
                                 "fontemb",
                                 "fontfile",
                                 "falt",
                                 "panose",
                                 "shpinst",
                                 "sp",
                                 "sn",
                                 "sv",
                                 "wgrffmtfilter",
                                 "pgptbl",
                                 "protusertbl",
                                 "ftnalt",
                                 "nesttableprops"}) {
            t[name] = {kwSkipDest};
        }
        const std::pair<const char*, Keyword> words[] = {
            {"fonttbl", kwFonttbl},
            {"colortbl", kwColortbl},
            {"pict", kwPict},
            {"fldinst", kwFldinst},
            {"fldrslt", kwFldrslt},
            {"object", kwObject},
            {"result", kwResult},
            {"shppict", kwShppict},
            {"ansi", kwAnsi},
            {"mac", kwMac},
            {"pc", kwPc},
            {"pca", kwPca},
            {"ansicpg", kwAnsicpg},
            {"deff", kwDeff},
            {"uc", kwUc},
            {"u", kwU},
            {"bin", kwBin},
            {"f", kwF},
            {"fcharset", kwFcharset},
            {"cpg", kwCpg},
            {"red", kwRed},
            {"green", kwGreen},
            {"blue", kwBlue},
            {"plain", kwPlain},
            {"b", kwB},
            {"i", kwI},
            {"ul", kwUl},
            {"uld", kwUl},
            {"uldash", kwUl},
            {"uldashd", kwUl},
            {"uldashdd", kwUl},
            {"uldb", kwUl},
            {"ulhwave", kwUl},
            {"ulldash", kwUl},
            {"ulth", kwUl},
            {"ulthd", kwUl},
            {"ulthdash", kwUl},
            {"ulthdashd", kwUl},
            {"ulthdashdd", kwUl},
            {"ulthldash", kwUl},
            {"ululdbwave", kwUl},
            {"ulw", kwUl},
            {"ulwave", kwUl},
            {"ulnone", kwUlnone},
            {"strike", kwStrike},
            {"striked", kwStrike},
            {"fs", kwFs},
            {"cf", kwCf},
            {"highlight", kwHighlight},
            {"cb", kwHighlight},
            {"chcbpat", kwHighlight},
            {"super", kwSuper},
            {"sub", kwSub},
            {"nosupersub", kwNosupersub},
            {"up", kwUp},
            {"dn", kwDn},
            {"loch", kwLoch},
            {"hich", kwHich},
            {"dbch", kwDbch},
            {"rtlch", kwRtlch},
            {"ltrch", kwLtrch},
            {"af", kwAf},
            {"afs", kwAfs},
            {"ab", kwAb},
            {"ai", kwAi},
            {"pard", kwPard},
            {"par", kwPar},
            {"sect", kwPar},
            {"page", kwPar},
            {"line", kwLine},
            {"lbr", kwLine},
            {"tab", kwTab},
            {"ql", kwQl},
            {"qc", kwQc},
            {"qr", kwQr},
            {"qj", kwQj},
            {"qd", kwQj},
            {"li", kwLi},
            {"lin", kwLi},
            {"ri", kwRi},
            {"rin", kwRi},
            {"fi", kwFi},
            {"sb", kwSb},
            {"sa", kwSa},
            {"sl", kwSl},
            {"slmult", kwSlmult},
            {"intbl", kwIntbl},
            {"cell", kwCell},
            {"nestcell", kwNestcell},
            {"row", kwRow},
            {"trowd", kwTrowd},
            {"cellx", kwCellx},
            {"trleft", kwTrleft},
            {"pngblip", kwPngblip},
            {"jpegblip", kwJpegblip},
            {"emfblip", kwEmfblip},
            {"wmetafile", kwWmetafile},
            {"macpict", kwMacpict},
            {"dibitmap", kwDibitmap},
            {"wbitmap", kwWbitmap},
            {"picw", kwPicw},
            {"pich", kwPich},
            {"picwgoal", kwPicwgoal},
            {"pichgoal", kwPichgoal},
            {"picscalex", kwPicscalex},
            {"picscaley", kwPicscaley},
        };
        for (const auto& [name, keyword] : words) {
            t[name] = {keyword};
        }
        const std::pair<const char*, char32_t> characters[] = {
            {"emdash", 0x2014},  {"endash", 0x2013},    {"bullet", 0x2022},    {"lquote", 0x2018},
            {"rquote", 0x2019},  {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003},
            {"enspace", 0x2002}, {"qmspace", 0x2005},   {"zwj", 0x200D},       {"zwnj", 0x200C},
            {"zwbo", 0x200B},    {"ltrmark", 0x200E},   {"rtlmark", 0x200F},
        };
        for (const auto& [name, character] : characters) {
            t[name] = {kwChar, character};
        }
        return t;
    }();
    return table;
}

// Bytes that end a run of literal text.
constexpr std::array<bool, 256> kTextStop = [] {
    std::array<bool, 256> stop{};
    for (int c = 0; c < 0x20; ++c) {
        stop[c] = true; // control characters are not text; tab, CR and LF have meanings
    }
    for (unsigned char c : {'{', '}', '\\'}) {
        stop[c] = true;
    }
    return stop;
}();

constexpr std::array<signed char, 256> kHexValue = [] {
    std::array<signed char, 256> value{};
    value.fill(-1);
    for (int c = 0; c < 10; ++c) {
        value['0' + c] = static_cast<signed char>(c);
    }
    for (int c = 0; c < 6; ++c) {
        value['a' + c] = value['A' + c] = static_cast<signed char>(10 + c);
    }
    return value;
}();

bool isLetter(std::uint8_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(std::uint8_t c) {
    return c >= '0' && c <= '9';
}
int clampLength(int value) {
    return std::clamp(value, -kMaxLength, kMaxLength);
}
constexpr int kMaxCellWidth = 31680;

} // namespace

RtfParser::RtfParser(std::span<const std::uint8_t> input, const ReadOptions& options)
    : m_input(input), m_options(options) {
    m_docCodePage = CodePage::get(1252);
    m_stack.reserve(64);
    m_stack.emplace_back();
}

ReadResult RtfParser::run() {
    const std::size_t size = m_input.size();
    while (m_pos < size && !m_done) {
        switch (m_input[m_pos]) {
        case '{':
            ++m_pos;
            openGroup();
            break;
        case '}':
            ++m_pos;
            closeGroup();
            break;
        case '\\':
            ++m_pos;
            controlSequence();
            break;
        case '\t':
            ++m_pos;
            if (m_skip > 0) {
                --m_skip;
            } else if (state().dest == Dest::Body) {
                addSpecial(Run::Kind::Tab);
            }
            break;
        default:
            if (m_input[m_pos] < 0x20) {
                ++m_pos; // CR, LF and other control characters
            } else {
                textChunk();
            }
            break;
        }
    }
    if (!m_done) {
        warn("stream ends inside an open group");
    }
    if (state().dest == Dest::Picture) {
        finishPicture();
    }
    finishFontName();
    flushRun();
    if (!m_paragraph.empty()) {
        endParagraph(false);
    }
    closeTable();
    return std::move(m_result);
}

void RtfParser::openGroup() {
    m_skip = 0;
    m_ignorableNext = false;
    if (m_stack.size() > static_cast<std::size_t>(std::max(m_options.maxGroupDepth, 2))) {
        ++m_overflowDepth;
        warn("groups nested too deeply; inner groups merged into their parent");
        return;
    }
    m_stack.push_back(m_stack.back());
}

void RtfParser::closeGroup() {
    m_skip = 0;
    m_ignorableNext = false;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return;
    }
    if (m_stack.size() <= 2) {
        m_done = true; // the document group is closed; what follows is not part of it
        if (m_stack.size() < 2) {
            warn("unbalanced closing brace");
        }
        return;
    }
    Dest closing = state().dest;
    Dest parent = m_stack[m_stack.size() - 2].dest;
    if (closing == Dest::Picture && parent != Dest::Picture) {
        finishPicture();
    }
    if (closing == Dest::FontTable) {
        finishFontName();
        if (parent != Dest::FontTable) {
            ++m_fontsVersion;
        }
    }
    m_stack.pop_back();
}

void RtfParser::controlSequence() {
    const std::size_t size = m_input.size();
    if (m_pos >= size) {
        warn("stream ends after a backslash");
        return;
    }
    std::uint8_t c = m_input[m_pos];
    if (isLetter(c)) {
        controlWord();
        return;
    }
    ++m_pos;
    if (c == '\'') {
        hexByte();
        return;
    }
    if (c == '*') {
        m_ignorableNext = true;
        return;
    }
    if (m_skip > 0) {
        --m_skip;
        return;
    }
    if (state().dest != Dest::Body) {
        if ((c == '\\' || c == '{' || c == '}') && state().dest == Dest::FontTable &&
            !m_fontNameDone) {
            m_fontNameBytes.push_back(static_cast<char>(c));
        }
        return;
    }
    switch (c) {
    case '\\':
    case '{':
    case '}':
        addBytes(&c, 1);
        break;
    case '~':
        addCodePoint(0x00A0);
        break;
    case '_':
        addCodePoint(0x2011);
        break;
    case '\r':
    case '\n':
        endParagraph(false);
        break;
    case '\t':
        addSpecial(Run::Kind::Tab);
        break;
    default:
        break; // \- optional hyphen, \| \: and unknown symbols show nothing
    }
}

void RtfParser::hexByte() {
    const std::size_t size = m_input.size();
    int high = m_pos < size ? kHexValue[m_input[m_pos]] : -1;
    int low = m_pos + 1 < size ? kHexValue[m_input[m_pos + 1]] : -1;
    if (high < 0 || low < 0) {
        warn("broken \\' hex escape");
        m_pos += high < 0 ? 0 : 1;
        return;
    }
    m_pos += 2;
    if (m_skip > 0) {
        --m_skip;
        return;
    }
    std::uint8_t byte = static_cast<std::uint8_t>(high << 4 | low);
    switch (state().dest) {
    case Dest::Body:
        if (byte >= 0x20) {
            addBytes(&byte, 1);
        }
        break;
    case Dest::FontTable:
        if (!m_fontNameDone) {
            m_fontNameBytes.push_back(static_cast<char>(byte));
        }
        break;
    default:
        break;
    }
}

void RtfParser::controlWord() {
    const std::size_t size = m_input.size();
    std::size_t start = m_pos;
    while (m_pos < size && isLetter(m_input[m_pos])) {
        ++m_pos;
    }
    std::string_view name(reinterpret_cast<const char*>(m_input.data()) + start,
                          std::min<std::size_t>(m_pos - start, 32));
    bool hasParam = false;
    bool negative = false;
    std::int64_t value = 0;
    if (m_pos < size && m_input[m_pos] == '-' && m_pos + 1 < size && isDigit(m_input[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    while (m_pos < size && isDigit(m_input[m_pos])) {
        hasParam = true;
        if (value < (std::int64_t{1} << 40)) {
            value = value * 10 + (m_input[m_pos] - '0');
        }
        ++m_pos;
    }
    if (m_pos < size && m_input[m_pos] == ' ') {
        ++m_pos;
    }
    value = std::clamp<std::int64_t>(negative ? -value : value, INT32_MIN + 1, INT32_MAX);
    int param = static_cast<int>(value);

    auto found = keywords().find(name);
    int keyword = found == keywords().end() ? kwUnknown : found->second.keyword;

    if (keyword == kwBin) {
        if (m_skip > 0) {
            --m_skip;
            m_pos += std::min<std::size_t>(std::max(param, 0), size - m_pos);
            return;
        }
        binary(hasParam ? param : 0);
        return;
    }
    if (m_skip > 0) {
        --m_skip;
        return;
    }
    State& st = state();
    if (m_ignorableNext) {
        m_ignorableNext = false;
        if (keyword != kwShppict && st.dest != Dest::Skip) {
            flushRun();
            st.dest = Dest::Skip;
            return;
        }
    }
    switch (st.dest) {
    case Dest::Skip:
        return;
    case Dest::SkipUntilResult:
        if (keyword == kwResult) {
            st.dest = Dest::Body;
        }
        return;
    case Dest::FontTable:
        fontWord(keyword, param);
        return;
    case Dest::ColorTable:
        if (keyword == kwRed || keyword == kwGreen || keyword == kwBlue) {
            auto component = static_cast<std::uint8_t>(std::clamp(param, 0, 255));
            (keyword == kwRed     ? m_color.red
             : keyword == kwGreen ? m_color.green
                                  : m_color.blue) = component;
            m_colorSet = true;
        }
        return;
    case Dest::Picture:
        pictureWord(keyword, hasParam, param);
        return;
    case Dest::Body:
        if (keyword == kwChar) {
            addCodePoint(found->second.character);
            return;
        }
        bodyWord(keyword, hasParam, param);
        return;
    }
}

void RtfParser::bodyWord(int keyword, bool hasParam, int param) {
    State& st = state();
    CharState& ch = st.chars;
    ParagraphFormat& para = st.para;
    bool on = !hasParam || param != 0;
    switch (keyword) {
    case kwFonttbl:
        st.dest = Dest::FontTable;
        m_font = nullptr;
        m_fontNameDone = true;
        break;
    case kwColortbl:
        st.dest = Dest::ColorTable;
        m_colors.clear();
        m_colorSet = false;
        m_color = {};
        break;
    case kwPict:
        flushRun();
        st.dest = Dest::Picture;
        m_picture = {};
        m_pictureGoalWidth = m_pictureGoalHeight = 0;
        m_pictureScaleX = m_pictureScaleY = 100;
        m_nibble = -1;
        break;
    case kwSkipDest:
    case kwFldinst:
        flushRun();
        st.dest = Dest::Skip;
        break;
    case kwObject:
        st.dest = Dest::SkipUntilResult;
        break;
    case kwAnsi:
        m_docCodePage = CodePage::get(1252), ++m_fontsVersion;
        break;
    case kwMac:
        m_docCodePage = CodePage::get(10000), ++m_fontsVersion;
        break;
    case kwPc:
        m_docCodePage = CodePage::get(437), ++m_fontsVersion;
        break;
    case kwPca:
        m_docCodePage = CodePage::get(850), ++m_fontsVersion;
        break;
    case kwAnsicpg:
        if (const CodePage* page = CodePage::get(param)) {
            m_docCodePage = page;
            ++m_fontsVersion;
        } else {
            warn("unsupported \\ansicpg; using code page 1252");
        }
        break;
    case kwDeff:
        m_defaultFont = param;
        ++m_fontsVersion;
        break;
    case kwUc:
        st.uc = static_cast<std::int16_t>(std::clamp(param, 0, 255));
        break;
    case kwU:
        addUnicode(param);
        break;
    case kwF:
        ch.font = param;
        if (ch.doubleByte) {
            ch.dbchFont = param;
        }
        break;
    case kwPlain:
        ch = CharState{};
        break;
    case kwB:
        ch.bold = on;
        break;
    case kwI:
        ch.italic = on;
        break;
    case kwUl:
        ch.underline = on;
        break;
    case kwUlnone:
        ch.underline = false;
        break;
    case kwStrike:
        ch.strike = on;
        break;
    case kwFs:
        ch.size = hasParam ? std::clamp(param, 0, 3276) : 0;
        break;
    case kwCf:
        ch.color = hasParam ? param : -1;
        break;
    case kwHighlight:
        ch.highlight = hasParam ? param : -1;
        break;
    case kwSuper:
        ch.verticalAlign = on ? VerticalAlign::Superscript : VerticalAlign::Normal;
        break;
    case kwSub:
        ch.verticalAlign = on ? VerticalAlign::Subscript : VerticalAlign::Normal;
        break;
    case kwNosupersub:
        ch.verticalAlign = VerticalAlign::Normal;
        break;
    case kwUp:
        ch.verticalAlign = param > 0 ? VerticalAlign::Superscript : VerticalAlign::Normal;
        break;
    case kwDn:
        ch.verticalAlign = param > 0 ? VerticalAlign::Subscript : VerticalAlign::Normal;
        break;
    case kwLoch:
    case kwHich:
        ch.doubleByte = false;
        ch.assocToDbch = false;
        break;
    case kwDbch:
        ch.doubleByte = true;
        ch.assocToDbch = true;
        break;
    case kwRtlch:
    case kwLtrch:
        ch.assocToDbch = false;
        break;
    case kwAf:
        if (ch.assocToDbch) {
            ch.dbchFont = param;
        }
        break;
    case kwAfs:
        if (ch.assocToDbch) {
            ch.dbchSize = hasParam ? std::clamp(param, 0, 3276) : 0;
        }
        break;
    case kwAb:
        if (ch.assocToDbch) {
            ch.dbchBold = on;
        }
        break;
    case kwAi:
        if (ch.assocToDbch) {
            ch.dbchItalic = on;
        }
        break;
    case kwPard:
        para = ParagraphFormat{};
        st.inTable = false;
        break;
    case kwPar:
        endParagraph(false);
        break;
    case kwLine:
        addSpecial(Run::Kind::LineBreak);
        break;
    case kwTab:
        addSpecial(Run::Kind::Tab);
        break;
    case kwQl:
        para.alignment = Alignment::Left;
        break;
    case kwQc:
        para.alignment = Alignment::Center;
        break;
    case kwQr:
        para.alignment = Alignment::Right;
        break;
    case kwQj:
        para.alignment = Alignment::Justify;
        break;
    case kwLi:
        para.leftIndent = clampLength(param);
        break;
    case kwRi:
        para.rightIndent = clampLength(param);
        break;
    case kwFi:
        para.firstLineIndent = clampLength(param);
        break;
    case kwSb:
        para.spaceBefore = clampLength(param);
        break;
    case kwSa:
        para.spaceAfter = clampLength(param);
        break;
    case kwSl:
        para.lineSpacing = clampLength(param);
        break;
    case kwSlmult:
        para.lineSpacingMultiple = on;
        break;
    default:
        tableWord(keyword, param);
        break;
    }
}

void RtfParser::tableWord(int keyword, int param) {
    switch (keyword) {
    case kwIntbl:
        state().inTable = true;
        break;
    case kwCell:
        endCell();
        break;
    case kwNestcell:
        endParagraph(true);
        break; // nested tables are flattened into the cell
    case kwRow:
        endRow();
        break;
    case kwTrowd:
        m_cellRight.clear();
        m_rowLeft = 0;
        break;
    case kwCellx:
        if (m_cellRight.size() < 4096) {
            m_cellRight.push_back(param);
        }
        break;
    case kwTrleft:
        m_rowLeft = param;
        break;
    default:
        break; // unknown or unsupported control words are ignored
    }
}

void RtfParser::fontWord(int keyword, int param) {
    switch (keyword) {
    case kwF: {
        finishFontName();
        if (m_fonts.size() >= 65536 && !m_fonts.contains(param)) {
            warn("too many fonts");
            m_font = nullptr;
            return;
        }
        m_font = &m_fonts[param];
        *m_font = Font{};
        m_fontNameBytes.clear();
        m_fontNameDone = false;
        ++m_fontsVersion;
        break;
    }
    case kwFcharset:
        if (m_font && m_font->codePage == 0) {
            m_font->codePage = CodePage::forCharset(param);
        }
        break;
    case kwCpg:
        if (m_font && CodePage::get(param)) {
            m_font->codePage = param;
        }
        break;
    case kwU:
        if (m_font && !m_fontNameDone) {
            // Font names rarely use \u; decode what came before and append the character.
            std::string name;
            const CodePage* page = m_font->codePage ? CodePage::get(m_font->codePage) : nullptr;
            (page ? page : m_docCodePage)->decode(m_fontNameBytes, name);
            m_fontNameBytes.clear();
            // Runs may take the name before it is complete; it never holds control characters.
            std::erase_if(name, [](char c) { return static_cast<unsigned char>(c) < 0x20; });
            m_font->name += name;
            int value = param < 0 ? param + 65536 : param;
            if (value >= 0x20) {
                appendUtf8(m_font->name, static_cast<char32_t>(value));
            }
            m_skip = state().uc;
        }
        break;
    case kwSkipDest:
        state().dest = Dest::Skip;
        break;
    default:
        break;
    }
}

void RtfParser::finishFontName() {
    if (!m_font || m_fontNameDone) {
        return;
    }
    m_fontNameDone = true;
    const CodePage* page = m_font->codePage ? CodePage::get(m_font->codePage) : nullptr;
    (page ? page : m_docCodePage)->decode(m_fontNameBytes, m_font->name);
    m_fontNameBytes.clear();
    std::string& name = m_font->name;
    std::erase_if(name, [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    while (!name.empty() && name.back() == ' ') {
        name.pop_back();
    }
    std::size_t first = name.find_first_not_of(' ');
    name.erase(0, first == std::string::npos ? name.size() : first);
}

void RtfParser::pictureWord(int keyword, bool hasParam, int param) {
    using Format = Picture::Format;
    switch (keyword) {
    case kwPngblip:
        m_picture.format = Format::Png;
        break;
    case kwJpegblip:
        m_picture.format = Format::Jpeg;
        break;
    case kwEmfblip:
        m_picture.format = Format::Emf;
        break;
    case kwWmetafile:
        m_picture.format = Format::Wmf;
        m_picture.metafileMapping = hasParam ? param : 0;
        break;
    case kwMacpict:
        m_picture.format = Format::MacPict;
        break;
    case kwDibitmap:
        m_picture.format = Format::Dib;
        m_picture.metafileMapping = hasParam ? param : 0;
        break;
    case kwWbitmap:
        m_picture.format = Format::Bitmap;
        m_picture.metafileMapping = hasParam ? param : 0;
        break;
    case kwPicw:
        m_picture.sourceWidth = std::max(param, 0);
        break;
    case kwPich:
        m_picture.sourceHeight = std::max(param, 0);
        break;
    case kwPicwgoal:
        m_pictureGoalWidth = std::clamp(param, 0, kMaxLength);
        break;
    case kwPichgoal:
        m_pictureGoalHeight = std::clamp(param, 0, kMaxLength);
        break;
    case kwPicscalex:
        m_pictureScaleX = std::clamp(param, 1, 10000);
        break;
    case kwPicscaley:
        m_pictureScaleY = std::clamp(param, 1, 10000);
        break;
    default:
        break;
    }
}

void RtfParser::binary(int length) {
    std::size_t available = m_input.size() - m_pos;
    std::size_t count = static_cast<std::size_t>(std::max(length, 0));
    if (count > available) {
        warn("\\bin length runs past the end of the stream");
        count = available;
    }
    if (state().dest == Dest::Picture) {
        m_picture.data.insert(m_picture.data.end(), m_input.begin() + m_pos,
                              m_input.begin() + m_pos + count);
    }
    m_pos += count;
}

void RtfParser::textChunk() {
    const std::size_t size = m_input.size();
    std::size_t start = m_pos;
    while (m_pos < size && !kTextStop[m_input[m_pos]]) {
        ++m_pos;
    }
    if (m_skip > 0) {
        std::size_t skipped = std::min<std::size_t>(m_skip, m_pos - start);
        m_skip -= static_cast<int>(skipped);
        start += skipped;
    }
    if (start == m_pos || m_stack.size() < 2) {
        return; // nothing, or text outside the document group (a byte-order mark, junk)
    }
    m_ignorableNext = false;
    const std::uint8_t* bytes = m_input.data() + start;
    std::size_t length = m_pos - start;
    switch (state().dest) {
    case Dest::Body:
        addBytes(bytes, length);
        break;
    case Dest::FontTable:
        if (!m_fontNameDone) {
            const void* semicolon = std::memchr(bytes, ';', length);
            std::size_t used =
                semicolon ? static_cast<const std::uint8_t*>(semicolon) - bytes : length;
            m_fontNameBytes.append(reinterpret_cast<const char*>(bytes), used);
            if (semicolon) {
                finishFontName();
            }
        }
        break;
    case Dest::ColorTable:
        for (std::size_t i = 0; i < length; ++i) {
            if (bytes[i] == ';') {
                if (m_colors.size() < 65536) {
                    m_colors.push_back(m_colorSet ? std::optional<Color>(m_color) : std::nullopt);
                }
                m_color = {};
                m_colorSet = false;
            }
        }
        break;
    case Dest::Picture:
        for (std::size_t i = 0; i < length; ++i) {
            int nibble = kHexValue[bytes[i]];
            if (nibble < 0) {
                continue;
            }
            if (m_nibble < 0) {
                m_nibble = nibble;
            } else {
                m_picture.data.push_back(static_cast<std::uint8_t>(m_nibble << 4 | nibble));
                m_nibble = -1;
            }
        }
        break;
    default:
        break;
    }
}

void RtfParser::beginText() {
    if (m_highSurrogate != 0) {
        m_highSurrogate = 0;
        m_runText.append("\xEF\xBF\xBD");
    }
    const CharState& chars = state().chars;
    if (m_runOpen && chars == m_runChars) {
        return;
    }
    flushRun();
    m_runOpen = true;
    m_runChars = chars;
    m_runCodePage = codePageOf(chars);
}

void RtfParser::addBytes(const std::uint8_t* bytes, std::size_t length) {
    beginText();
    std::size_t ascii = 0;
    if (m_runBytes.empty()) {
        while (ascii < length && bytes[ascii] < 0x80) {
            ++ascii;
        }
        m_runText.append(reinterpret_cast<const char*>(bytes), ascii);
    }
    m_runBytes.append(reinterpret_cast<const char*>(bytes) + ascii, length - ascii);
}

void RtfParser::addUnicode(int param) {
    m_skip = state().uc;
    int value = param < 0 ? param + 65536 : param;
    if (value < 0x20) {
        return; // control characters and out-of-range values show nothing
    }
    char32_t cp = static_cast<char32_t>(value);
    if (cp >= 0xDC00 && cp <= 0xDFFF && m_highSurrogate != 0) {
        char32_t combined = 0x10000 + ((m_highSurrogate - 0xD800) << 10) + (cp - 0xDC00);
        m_highSurrogate = 0;
        addCodePoint(combined);
        return;
    }
    if (cp >= 0xD800 && cp <= 0xDBFF) {
        beginText();
        decodePending();
        m_highSurrogate = cp;
        return;
    }
    addCodePoint(cp);
}

void RtfParser::addCodePoint(char32_t codePoint) {
    beginText();
    decodePending();
    appendUtf8(m_runText, codePoint);
}

void RtfParser::decodePending() {
    if (!m_runBytes.empty()) {
        m_runCodePage->decode(m_runBytes, m_runText);
        m_runBytes.clear();
    }
}

void RtfParser::flushRun() {
    if (m_highSurrogate != 0) {
        m_highSurrogate = 0;
        appendUtf8(m_runText, kReplacement);
    }
    if (!m_runOpen) {
        return;
    }
    decodePending();
    m_runOpen = false;
    if (m_runText.empty()) {
        return;
    }
    CharFormat format = formatOf(m_runChars);
    std::vector<Run>& runs = m_paragraph.runs;
    if (!runs.empty() && runs.back().kind == Run::Kind::Text && runs.back().format == format) {
        runs.back().text += m_runText;
    } else {
        runs.push_back(Run::makeText(std::move(m_runText), std::move(format)));
        countElement();
    }
    m_runText.clear();
}

void RtfParser::addSpecial(Run::Kind kind) {
    flushRun();
    Run run;
    run.kind = kind;
    run.format = formatOf(state().chars);
    m_paragraph.runs.push_back(std::move(run));
    countElement();
}

CharFormat RtfParser::formatOf(const CharState& chars) const {
    CharFormat format;
    bool associated = chars.doubleByte;
    // A double-byte font missing from the font table leaves the run's own font in charge.
    bool dbchFont = associated && m_fonts.contains(chars.dbchFont);
    int fontNumber = dbchFont ? chars.dbchFont : chars.font;
    if (fontNumber >= 0) {
        auto font = m_fonts.find(fontNumber);
        // A name still being read (text amid a broken font table) is not a family yet.
        bool incomplete = font != m_fonts.end() && &font->second == m_font && !m_fontNameDone;
        if (font != m_fonts.end() && !incomplete) {
            format.fontFamily = font->second.name;
        }
    }
    auto colorAt = [this](int index) -> std::optional<Color> {
        if (index < 0 || static_cast<std::size_t>(index) >= m_colors.size()) {
            return std::nullopt;
        }
        return m_colors[index];
    };
    format.fontSizeHalfPoints = associated && chars.dbchSize > 0 ? chars.dbchSize : chars.size;
    format.bold = chars.bold || (associated && chars.dbchBold);
    format.italic = chars.italic || (associated && chars.dbchItalic);
    format.underline = chars.underline;
    format.strike = chars.strike;
    format.color = colorAt(chars.color);
    format.highlight = colorAt(chars.highlight);
    format.verticalAlign = chars.verticalAlign;
    return format;
}

// Double-byte text after \dbch is in the associated font's code page; when that names none,
// a single-byte font in a double-byte document still gets the document's code page.
const CodePage* RtfParser::codePageOf(const CharState& chars) {
    if (!chars.doubleByte) {
        return codePageOfFont(chars.font);
    }
    bool dbchFont = m_fonts.contains(chars.dbchFont);
    const CodePage* page = codePageOfFont(dbchFont ? chars.dbchFont : chars.font);
    return page->isDoubleByte() || !m_docCodePage->isDoubleByte() ? page : m_docCodePage;
}

const CodePage* RtfParser::codePageOfFont(int font) {
    if (font == m_cachedFont && m_cachedVersion == m_fontsVersion) {
        return m_cachedCodePage;
    }
    const CodePage* page = nullptr;
    auto found = m_fonts.find(font < 0 ? m_defaultFont : font);
    if (found != m_fonts.end() && found->second.codePage != 0) {
        page = CodePage::get(found->second.codePage);
    }
    m_cachedFont = font;
    m_cachedVersion = m_fontsVersion;
    m_cachedCodePage = page ? page : m_docCodePage;
    return m_cachedCodePage;
}

void RtfParser::endParagraph(bool cellEnd) {
    flushRun();
    countElement();
    m_paragraph.format = state().para;
    if (m_paragraph.format.lineSpacing == 0) {
        m_paragraph.format.lineSpacingMultiple = false; // \slmult alone changes nothing
    }
    if (cellEnd || state().inTable) {
        m_cell.paragraphs.push_back(std::move(m_paragraph));
    } else {
        closeTable();
        m_result.document.blocks.emplace_back(std::move(m_paragraph));
    }
    m_paragraph = Paragraph{};
}

void RtfParser::endCell() {
    endParagraph(true);
    if (m_row.cells.size() >= 4096) {
        warn("too many cells in a row");
        m_cell = TableCell{};
        return;
    }
    m_row.cells.push_back(std::move(m_cell));
    m_cell = TableCell{};
}

void RtfParser::endRow() {
    flushRun();
    if (!m_paragraph.empty()) {
        endCell();
    } else if (!m_cell.paragraphs.empty()) {
        m_row.cells.push_back(std::move(m_cell));
        m_cell = TableCell{};
    }
    if (m_row.cells.empty()) {
        return;
    }
    // Cells without a usable \cellx get the width the writer gives cells of unknown width.
    int fallback = cellWidthFallback(m_row.cells.size());
    std::int64_t left = m_rowLeft;
    for (std::size_t i = 0; i < m_row.cells.size(); ++i) {
        std::int64_t width = i < m_cellRight.size() ? m_cellRight[i] - left : 0;
        m_row.cells[i].widthTwips =
            width > 0 ? static_cast<int>(std::min<std::int64_t>(width, kMaxCellWidth)) : fallback;
        if (i < m_cellRight.size()) {
            left = m_cellRight[i];
        }
    }
    m_table.rows.push_back(std::move(m_row));
    m_row = TableRow{};
}

void RtfParser::closeTable() {
    if (!m_cell.paragraphs.empty()) {
        m_row.cells.push_back(std::move(m_cell));
        m_cell = TableCell{};
    }
    if (!m_row.cells.empty()) {
        endRow();
    }
    if (!m_table.rows.empty()) {
        m_result.document.blocks.emplace_back(std::move(m_table));
        m_table = Table{};
    }
}

void RtfParser::finishPicture() {
    if (m_nibble >= 0) {
        warn("odd number of hex digits in picture data");
        m_nibble = -1;
    }
    Picture picture = std::move(m_picture);
    m_picture = {};
    if (picture.data.empty()) {
        return;
    }
    auto scaled = [](int goal, int scale) {
        return static_cast<int>(
            std::min<std::int64_t>(std::int64_t{goal} * scale / 100, kMaxLength));
    };
    picture.widthTwips = scaled(m_pictureGoalWidth, m_pictureScaleX);
    picture.heightTwips = scaled(m_pictureGoalHeight, m_pictureScaleY);
    using Format = Picture::Format;
    if (picture.format != Format::Wmf && picture.format != Format::Dib &&
        picture.format != Format::Bitmap) {
        picture.metafileMapping = 0;
    }
    m_paragraph.runs.push_back(Run::makePicture(std::move(picture)));
    countElement();
}

void RtfParser::countElement() {
    if (++m_elements > m_options.maxElements && !m_done) {
        warn("document too large; the rest of the stream is not read");
        m_done = true;
    }
}

void RtfParser::warn(const char* message) {
    auto& warnings = m_result.warnings;
    if (warnings.size() >= m_options.maxWarnings ||
        std::find(warnings.begin(), warnings.end(), message) != warnings.end()) {
        return;
    }
    warnings.emplace_back(message);
}

} // namespace tessaro::richtext::detail
