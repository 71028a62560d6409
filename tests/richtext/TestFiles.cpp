#include "TestFiles.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tessaro::richtext::test {

std::string readFixture(std::string_view name) {
    std::string path = std::string(TESSARO_RICHTEXT_FIXTURES) + "/" + std::string(name);
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("missing fixture " + path);
    }
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::vector<const Run*> allRuns(const Document& document) {
    std::vector<const Run*> runs;
    auto addParagraph = [&runs](const Paragraph& paragraph) {
        for (const Run& run : paragraph.runs) {
            runs.push_back(&run);
        }
    };
    for (const Block& block : document.blocks) {
        if (const auto* paragraph = std::get_if<Paragraph>(&block)) {
            addParagraph(*paragraph);
            continue;
        }
        for (const TableRow& row : std::get<Table>(block).rows) {
            for (const TableCell& cell : row.cells) {
                for (const Paragraph& paragraph : cell.paragraphs) {
                    addParagraph(paragraph);
                }
            }
        }
    }
    return runs;
}

const Run* findRun(const Document& document, std::string_view part) {
    for (const Run* run : allRuns(document)) {
        if (run->kind == Run::Kind::Text && run->text.find(part) != std::string::npos) {
            return run;
        }
    }
    return nullptr;
}

std::vector<const Paragraph*> paragraphs(const Document& document) {
    std::vector<const Paragraph*> result;
    for (const Block& block : document.blocks) {
        if (const auto* paragraph = std::get_if<Paragraph>(&block)) {
            result.push_back(paragraph);
        }
    }
    return result;
}

} // namespace tessaro::richtext::test

namespace tessaro::richtext {
namespace {

void printParagraph(const Paragraph& p, std::ostream& os) {
    const ParagraphFormat& f = p.format;
    os << "P(a" << static_cast<int>(f.alignment) << " li" << f.leftIndent << " ri" << f.rightIndent
       << " fi" << f.firstLineIndent << " sb" << f.spaceBefore << " sa" << f.spaceAfter << " sl"
       << f.lineSpacing << (f.lineSpacingMultiple ? "m" : "") << ")[";
    for (const Run& run : p.runs) {
        const CharFormat& c = run.format;
        os << "{" << static_cast<int>(run.kind) << " '" << run.text << "' " << c.fontFamily << " "
           << c.fontSizeHalfPoints << (c.bold ? " b" : "") << (c.italic ? " i" : "")
           << (c.underline ? " u" : "") << (c.strike ? " s" : "") << " v"
           << static_cast<int>(c.verticalAlign);
        if (c.color) {
            os << " c" << int(c.color->red) << "," << int(c.color->green) << ","
               << int(c.color->blue);
        }
        if (c.highlight) {
            os << " h" << int(c.highlight->red) << "," << int(c.highlight->green) << ","
               << int(c.highlight->blue);
        }
        if (run.picture) {
            const Picture& pic = *run.picture;
            os << " pic" << static_cast<int>(pic.format) << " " << pic.data.size() << "B "
               << pic.widthTwips << "x" << pic.heightTwips << " src" << pic.sourceWidth << "x"
               << pic.sourceHeight << " m" << pic.metafileMapping;
        }
        os << "}";
    }
    os << "]";
}

} // namespace

void PrintTo(const Document& document, std::ostream* os) {
    for (const Block& block : document.blocks) {
        *os << "\n  ";
        if (const auto* paragraph = std::get_if<Paragraph>(&block)) {
            printParagraph(*paragraph, *os);
            continue;
        }
        *os << "TABLE";
        for (const TableRow& row : std::get<Table>(block).rows) {
            *os << "\n    ROW";
            for (const TableCell& cell : row.cells) {
                *os << "\n      CELL w" << cell.widthTwips;
                for (const Paragraph& paragraph : cell.paragraphs) {
                    *os << "\n        ";
                    printParagraph(paragraph, *os);
                }
            }
        }
    }
}

} // namespace tessaro::richtext
