#include "RichPane.h"

#include "richtext/RtfReader.h"
#include "richtext/qt/TextDocumentBridge.h"

#include <QTextEdit>

namespace tessaro::practice::ui {

void showRichText(QTextEdit& pane, const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty()) {
        pane.clear();
        return;
    }
    const richtext::ReadResult result = richtext::readRtf(std::span(bytes.data(), bytes.size()));
    richtext::fillTextDocument(*pane.document(), result.document);
}

} // namespace tessaro::practice::ui
