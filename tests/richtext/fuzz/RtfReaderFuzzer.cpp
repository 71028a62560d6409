// Fuzz target for the RTF reader: any input must read without crashing, and the document read
// must survive a write and a second read unchanged.
#include "richtext/HtmlWriter.h"
#include "richtext/PlainText.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessaro::richtext;
    ReadResult first = readRtf(std::span(data, size));
    std::string written = writeRtf(first.document);
    ReadResult second = readRtf(written);
    if (!second.isRtf || !second.warnings.empty()) {
        std::fprintf(stderr, "written RTF does not read back cleanly\n");
        std::abort();
    }
    if (!(second.document == first.document)) {
        std::fprintf(stderr, "round trip changed the document\n");
        std::abort();
    }
    volatile std::size_t sink = plainText(first.document).size() + toHtml(first.document).size();
    (void)sink;
    return 0;
}
