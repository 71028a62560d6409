#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>
#include <vector>

class QTextBrowser;

namespace tessaro::practice::ui {

/// TFrmJx: one rich-text field shown read-only, the explanation of the question on screen or
/// the guidance of a chapter.
class ExplanationWindow : public QDialog {
    Q_OBJECT
public:
    explicit ExplanationWindow(QWidget* parent = nullptr);
    /// Shows the field; a NULL field leaves the pane empty.
    void bind(const std::optional<std::vector<std::uint8_t>>& field);

private:
    QTextBrowser* m_pane = nullptr;
};

} // namespace tessaro::practice::ui
