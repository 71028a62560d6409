#pragma once

#include "richtext/Document.h"

#include <string>

namespace tessaro::richtext {

// An HTML fragment of the document: <p> with inline styles, <table>, PNG and JPEG pictures as
// data: URLs and other pictures as a "[图片]" placeholder.
std::string toHtml(const Document& document);

} // namespace tessaro::richtext
