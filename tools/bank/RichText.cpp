#include "RichText.h"

#include "Markup.h"
#include "SourceError.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

namespace tessaro::bank {

namespace {

std::string joined(const std::vector<std::string>& warnings) {
    std::string out;
    for (const auto& warning : warnings)
        out += (out.empty() ? "" : "; ") + warning;
    return out;
}

std::string problemOf(std::string_view rtf) {
    const richtext::ReadResult result = richtext::readRtf(rtf);
    if (!result.isRtf)
        return "it does not begin with \"{\\rtf\"";
    return joined(result.warnings);
}

} // namespace

richtext::Document documentOf(const RichValue& value) {
    if (value.kind == RichValue::Kind::Rtf) {
        if (const std::string problem = problemOf(value.text); !problem.empty())
            throw SourceError(value.pos, "the RTF does not read: " + problem);
        return richtext::readRtf(value.text).document;
    }
    MarkupResult result = parseMarkup(value.text);
    if (!result.error.empty()) {
        SourcePos pos = value.pos;
        if (pos.line > 0)
            pos.line += result.line - 1;
        throw SourceError(pos, result.error);
    }
    return std::move(result.document);
}

store::Blob rtfOf(const richtext::Document& document) {
    const std::string rtf = richtext::writeRtf(document);
    return store::Blob(rtf.begin(), rtf.end());
}

std::optional<store::Blob> storedRichText(const RichValue& value) {
    if (value.empty())
        return std::nullopt;
    if (value.kind == RichValue::Kind::Rtf) {
        documentOf(value);
        return store::Blob(value.text.begin(), value.text.end());
    }
    return rtfOf(documentOf(value));
}

RichValue sourceRichText(const store::Blob& rtf) {
    const std::string bytes(rtf.begin(), rtf.end());
    const richtext::ReadResult read = richtext::readRtf(bytes);
    if (read.isRtf && read.warnings.empty())
        if (const auto markup = formatMarkup(read.document);
            markup && !markup->empty() && rtfOf(parseMarkup(*markup).document) == rtf)
            return RichValue{RichValue::Kind::Markup, *markup, {}};
    return RichValue{RichValue::Kind::Rtf, bytes, {}};
}

std::string rtfProblem(const store::Blob& rtf) {
    return problemOf(std::string_view(reinterpret_cast<const char*>(rtf.data()), rtf.size()));
}

} // namespace tessaro::bank
