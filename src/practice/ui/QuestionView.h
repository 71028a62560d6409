#pragma once

#include "practice/AnswerCodec.h"
#include "practice/PracticeSession.h"

#include <QWidget>
#include <array>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSplitter;
class QStackedWidget;
class QTextBrowser;
class QToolButton;

namespace tessaro::practice::ui {

/// The question view every practice and exam window shows a question through: the question
/// area Panel1 (panes Re1 and Re2 with the splitter FlatSplitter1 between them), the sliding
/// answer-comparison panel Panel2 over it, and the answer area Notebook1 with its six pages.
/// It holds the state of the answer page and applies the option rules to it; the window reads
/// that state when the learner leaves or checks the question.
class QuestionView : public QWidget {
    Q_OBJECT
public:
    explicit QuestionView(QWidget* parent = nullptr);

    /// Shows a question's rich text; a grouped question shows its stem above its own text.
    void showContent(const QuestionContent& content);

    void setPage(int page);
    int page() const { return m_page; }
    void setPageState(const PageState& state);
    const PageState& pageState() const { return m_state; }
    /// The vertical caption at the left of a page (the practice window shows the type there).
    void setSideLabel(int page, const QString& text);

    /// Fills the panel with a comparison, then slides it open or shut.
    void showComparison(const Comparison& comparison);
    void SlideAnswerPanel();
    void closeAnswerPanel();
    bool answerPanelOpen() const;
    int answerPanelWidth() const;

    /// Small fonts and sizes for the 800 layout.
    void setCompact(bool compact);

signals:
    /// The learner changed the answer on the page.
    void answerEdited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* buildChoicePage(int page, const QString& group, const QString& prefix, int count);
    QWidget* buildFillInPage();
    QWidget* buildSelfPage();
    QWidget* wrapPage(int page, QWidget* controls);
    void optionPressed(int page, int index);
    void render();
    void placePanel(int width);

    QFrame* m_panel1 = nullptr;
    QSplitter* m_splitter = nullptr;
    QTextBrowser* m_re1 = nullptr;
    QTextBrowser* m_re2 = nullptr;
    QFrame* m_panel2 = nullptr;
    QLabel* m_verdict = nullptr;
    QPlainTextEdit* m_memo1 = nullptr;
    QPlainTextEdit* m_memo2 = nullptr;
    QStackedWidget* m_notebook = nullptr;
    std::array<QLabel*, kPageCount> m_sideLabels{};
    std::array<std::array<QToolButton*, kMaxOptions>, kPageCount> m_options{};
    QLineEdit* m_edit = nullptr;
    QComboBox* m_combo = nullptr;
    int m_page = kSelfAssessed;
    PageState m_state;
    bool m_panelOpen = false;
};

} // namespace tessaro::practice::ui
