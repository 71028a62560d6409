#pragma once

#include <cstdint>
#include <vector>

class QTextEdit;

namespace tessaro::practice::ui {

/// Shows stored rich text in a read-only pane. Bytes that are not RTF show as plain text and
/// empty bytes as an empty pane; nothing here fails.
void showRichText(QTextEdit& pane, const std::vector<std::uint8_t>& bytes);

} // namespace tessaro::practice::ui
