#pragma once

#include "richtext/Document.h"

#include <QByteArray>

class QTextDocument;

namespace tessaro::richtext {

// Replaces the content of target with the document: paragraphs become blocks, runs become
// fragments with their character formats, line breaks U+2028, tables QTextTable and pictures
// inline images (PNG and JPEG decoded; other formats as a grey placeholder). Pictures keep
// their original bytes in the image format, so fromTextDocument gives them back unchanged.
void fillTextDocument(QTextDocument& target, const Document& document);

// The model of what a QTextDocument holds, e.g. what the learner typed into an editor.
// Only properties set on a fragment are taken; the editor's default font is not a run font.
// A QTextDocument holding a single empty block gives the empty Document.
Document fromTextDocument(const QTextDocument& source);

// Shortcuts for the rich-text columns: the stream (RTF, or plain text) into a document, and a
// document back to RTF bytes.
void setRtf(QTextDocument& target, const QByteArray& stream);
QByteArray toRtf(const QTextDocument& source);

} // namespace tessaro::richtext
