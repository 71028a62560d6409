#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QPlainTextEdit;

namespace tessaro::practice::ui {

/// TFrmBj: the learner's note on a question. Whichever way the window closes, the text goes to
/// the bound column and NoteHasContent tells whether it holds more than blanks.
class NoteWindow : public QDialog {
    Q_OBJECT
public:
    using Store = std::function<void(const std::string&)>;
    explicit NoteWindow(QWidget* parent = nullptr);
    void bind(const std::string& text, Store store);
    void done(int result) override;

private:
    QPlainTextEdit* m_memo = nullptr;
    Store m_store;
    bool m_saved = false;
};

} // namespace tessaro::practice::ui
