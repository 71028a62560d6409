#pragma once

#include <QDialog>
#include <QPoint>
#include <array>
#include <functional>

class QLabel;
class QStackedWidget;

namespace tessaro::ui {

class ShapeButton;

/// The program's own message dialog TFrmDlg: title strip, an icon page (0 提示, 1 警告,
/// 2 错误), the message and up to three rounded buttons whose results are 1, 2 and 3. Created
/// once and reused; it keeps the button visibility of its last use.
class MessageDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 399;
    static constexpr int kDesignHeight = 110;

    /// The shared dialog, created on first use. Ends the program with a plain message box when
    /// its own pictures cannot be read.
    static MessageDialog& instance();

    /// Sets the dialog up for a message; visible buttons by set 0..3, icon page 0..2, button
    /// captions by mode ("Exam" or any other text). Sets outside 0..3 keep the last visibility.
    void prepare(const QString& title, const QString& text, int buttons, int page,
                 const QString& mode);

    int iconPage() const;
    ShapeButton* button(int result) const { return m_buttons.at(result - 1); }
    /// Visible buttons from left to right, as the learner sees them.
    std::vector<ShapeButton*> visibleButtonsLeftToRight() const;

protected:
    void reject() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    MessageDialog();
    void loadPictures();
    void layoutForText();

    QLabel* m_background = nullptr;
    QLabel* m_titleStrip = nullptr;
    QLabel* m_title = nullptr;
    QStackedWidget* m_icons = nullptr;
    QLabel* m_text = nullptr;
    std::array<ShapeButton*, 3> m_buttons{};
    int m_designWidth = kDesignWidth;
    QPoint m_dragOffset;
    bool m_dragging = false;
};

/// Shows the message dialog and returns the result of the button pressed (1, 2 or 3).
int ShowMsgDlg(const QString& title, const QString& text, int buttons, int page,
               const QString& mode);

/// Makes a shared, parentless window stay above the active window while it shows.
void keepAbove(QWidget& window);

/// Tests answer ShowMsgDlg through this hook: it receives the prepared dialog (not shown) and
/// returns the result. An empty function restores the modal dialog.
using MsgDlgHook = std::function<int(MessageDialog&)>;
void setMsgDlgHook(MsgDlgHook hook);

} // namespace tessaro::ui
