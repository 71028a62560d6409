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
