#pragma once

#include "BankSource.h"
#include "richtext/Document.h"
#include "store/Database.h"

#include <optional>
#include <string>

namespace tessaro::bank {

/// The document a source value describes; throws SourceError for markup or RTF that does not
/// read.
richtext::Document documentOf(const RichValue& value);

/// The RTF stream stored for a document.
store::Blob rtfOf(const richtext::Document& document);

/// The stored form of a source value: raw RTF unchanged, markup through the RTF writer, and
/// nothing for an empty value.
std::optional<store::Blob> storedRichText(const RichValue& value);

/// The source form of a stored stream: markup when it says exactly what the stream holds,
/// otherwise the RTF itself.
RichValue sourceRichText(const store::Blob& rtf);

/// Empty when the stream reads as RTF; otherwise what is wrong with it.
std::string rtfProblem(const store::Blob& rtf);

} // namespace tessaro::bank
