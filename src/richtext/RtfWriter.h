#pragma once

#include "richtext/Document.h"

#include <string>

namespace tessaro::richtext {

// Writes a document as RTF bytes. Text outside ASCII is written as \uN followed by its code
// page 936 bytes as \'hh (the document declares \ansicpg936 and every font \fcharset134), so
// both Unicode-aware readers and code-page readers show the same text. The default font f0 is
// 宋体; runs without a font family use it.
std::string writeRtf(const Document& document);

} // namespace tessaro::richtext
