#pragma once

// The whole rich-text module in one include: the document model and its builder, the RTF
// reader and writer, plain text and HTML. The Qt bridge is richtext/qt/TextDocumentBridge.h.
#include "richtext/Document.h"
#include "richtext/DocumentBuilder.h"
#include "richtext/HtmlWriter.h"
#include "richtext/PlainText.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
