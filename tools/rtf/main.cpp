// tessaro-rtf: prints the plain text, an HTML rendering or a round-trip RTF of a stream, for
// debugging question banks and for checking fuzzer findings by hand.
#include "richtext/HtmlWriter.h"
#include "richtext/PlainText.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>

namespace {

int usage() {
    std::cerr << "usage: tessaro-rtf text|html|rtf|check|warnings FILE|-\n"
                 "  text      plain text (UTF-8)\n"
                 "  html      HTML fragment\n"
                 "  rtf       the stream written back as RTF\n"
                 "  check     exit 1 when reading the written-back RTF gives another document\n"
                 "  warnings  what the reader repaired or ignored\n";
    return 2;
}

bool readInput(const std::string& path, std::string& bytes) {
    if (path == "-") {
        bytes.assign(std::istreambuf_iterator<char>(std::cin), {});
        return true;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(file), {});
    return true;
}

} // namespace

int main(int argc, char** argv) {
    using namespace tessaro::richtext;
    if (argc != 3) {
        return usage();
    }
    std::string_view mode = argv[1];
    std::string bytes;
    if (!readInput(argv[2], bytes)) {
        std::cerr << "tessaro-rtf: cannot read " << argv[2] << "\n";
        return 1;
    }
    ReadResult result = readRtf(bytes);
    if (mode == "text") {
        std::cout << plainText(result.document) << "\n";
    } else if (mode == "html") {
        std::cout << toHtml(result.document);
    } else if (mode == "rtf") {
        std::cout << writeRtf(result.document);
    } else if (mode == "check") {
        bool stable = readRtf(writeRtf(result.document)).document == result.document;
        std::cout << (stable ? "round trip stable\n" : "round trip differs\n");
        return stable ? 0 : 1;
    } else if (mode == "warnings") {
        if (!result.isRtf) {
            std::cout << "not RTF: read as plain text\n";
        }
        for (const std::string& warning : result.warnings) {
            std::cout << warning << "\n";
        }
    } else {
        return usage();
    }
    return 0;
}
