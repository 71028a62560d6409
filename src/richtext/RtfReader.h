#pragma once

#include "richtext/Document.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro::richtext {

struct ReadOptions {
    int maxGroupDepth = 512; // deeper groups are read as part of their parent
    std::size_t maxWarnings = 32;
    // Paragraphs, runs and pictures; a stream that makes more is read up to there, with a warning.
    std::size_t maxElements = 4'000'000;
};

struct ReadResult {
    Document document;
    // False when the bytes are not RTF (no "{\rtf" at the start). The document then holds the
    // bytes as plain text (UTF-8 when valid, else code page 936), one paragraph per line.
    bool isRtf = true;
    // What was repaired or ignored: unbalanced braces, truncated data, depth limit, ...
    std::vector<std::string> warnings;
};

// Reads an RTF stream. Never throws for bad input and never reads past the span; time and
// memory stay proportional to the input size.
ReadResult readRtf(std::span<const std::uint8_t> bytes, const ReadOptions& options = {});
ReadResult readRtf(std::string_view bytes, const ReadOptions& options = {});

// True when the bytes start like an RTF stream.
bool looksLikeRtf(std::span<const std::uint8_t> bytes);

} // namespace tessaro::richtext
