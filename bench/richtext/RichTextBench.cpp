// Reads and writes RTF of the sizes the bank holds: a typical question (2 KB), a long
// knowledge-point article (200 KB) and a 5 MB stream with pictures. Figures are bytes of RTF
// per second on one core.
#include "richtext/CodePage.h"
#include "richtext/PlainText.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <benchmark/benchmark.h>
#include <random>
#include <string>

namespace {

using namespace tessaro::richtext;

std::string gbkHex(std::string_view utf8) {
    const CodePage* gbk = CodePage::get(936);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = nextCodePoint(utf8, pos);
        std::uint8_t bytes[2];
        int count = gbk->encode(cp, bytes);
        for (int i = 0; i < count; ++i) {
            if (bytes[i] < 0x80) {
                out += static_cast<char>(bytes[i]);
            } else {
                out += "\\'";
                out += kHex[bytes[i] >> 4];
                out += kHex[bytes[i] & 0xF];
            }
        }
    }
    return out;
}

// A stream as a rich-text edit control on a Chinese system writes it, grown to about size bytes.
std::string richEditStream(std::size_t size, int pictures = 0, std::size_t pictureBytes = 0) {
    std::string out =
        "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052{\\fonttbl{\\f0\\fnil\\fprq2"
        "\\fcharset134 " +
        gbkHex("宋体") +
        ";}{\\f1\\fswiss\\fcharset0 Arial;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;}\r\n\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs24 ";
    const std::string paragraph =
        gbkHex("根据《中华人民共和国合同法》的规定，当事人订立合同，应当具有相应的民事权利能力和"
               "民事行为能力。") +
        "\\b\\cf1 " + gbkHex("下列说法正确的是") + "\\b0\\cf0 " + gbkHex("（　）。") +
        "\\f1 Contract law, article 9.\\f0\\par\r\n";
    std::mt19937 random(7);
    int picturesLeft = pictures;
    while (out.size() < size) {
        out += paragraph;
        if (picturesLeft > 0 &&
            out.size() > size / (pictures + 1) * (pictures - picturesLeft + 1)) {
            --picturesLeft;
            out += "{\\pict\\pngblip\\picw400\\pich300\\picwgoal6000\\pichgoal4500\r\n";
            static constexpr char kHex[] = "0123456789abcdef";
            for (std::size_t i = 0; i < pictureBytes; ++i) {
                unsigned byte = random() & 0xFF;
                out += kHex[byte >> 4];
                out += kHex[byte & 0xF];
                if (i % 64 == 63) {
                    out += "\r\n";
                }
            }
            out += "}\\par\r\n";
        }
    }
    return out + "}";
}

const std::string& question() {
    static const std::string stream = richEditStream(2 * 1024);
    return stream;
}
const std::string& article() {
    static const std::string stream = richEditStream(200 * 1024);
    return stream;
}
const std::string& withPictures() {
    static const std::string stream = richEditStream(5 * 1024 * 1024, 4, 450 * 1024);
    return stream;
}

void read(benchmark::State& state, const std::string& stream) {
    for (auto _ : state) {
        ReadResult result = readRtf(stream);
        benchmark::DoNotOptimize(result.document.blocks.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.size()));
    state.counters["rtf_bytes"] = static_cast<double>(stream.size());
}

void write(benchmark::State& state, const std::string& stream) {
    Document document = readRtf(stream).document;
    std::size_t written = 0;
    for (auto _ : state) {
        std::string rtf = writeRtf(document);
        written = rtf.size();
        benchmark::DoNotOptimize(rtf.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * written));
    state.counters["rtf_bytes"] = static_cast<double>(written);
}

void plain(benchmark::State& state, const std::string& stream) {
    for (auto _ : state) {
        std::string text = plainTextOfRtf(stream);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.size()));
}

void BM_ReadQuestion2K(benchmark::State& state) {
    read(state, question());
}
void BM_ReadArticle200K(benchmark::State& state) {
    read(state, article());
}
void BM_ReadPictures5M(benchmark::State& state) {
    read(state, withPictures());
}
void BM_WriteQuestion2K(benchmark::State& state) {
    write(state, question());
}
void BM_WriteArticle200K(benchmark::State& state) {
    write(state, article());
}
void BM_WritePictures5M(benchmark::State& state) {
    write(state, withPictures());
}
void BM_PlainTextQuestion2K(benchmark::State& state) {
    plain(state, question());
}

// What the writer produces (\u with \'hh fallbacks) read back: the shape of saved questions.
void BM_ReadWrittenArticle(benchmark::State& state) {
    static const std::string written = writeRtf(readRtf(article()).document);
    read(state, written);
}

BENCHMARK(BM_ReadQuestion2K);
BENCHMARK(BM_ReadArticle200K);
BENCHMARK(BM_ReadPictures5M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadWrittenArticle);
BENCHMARK(BM_WriteQuestion2K);
BENCHMARK(BM_WriteArticle200K);
BENCHMARK(BM_WritePictures5M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainTextQuestion2K);

} // namespace
