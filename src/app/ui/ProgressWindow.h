#pragma once

#include <QWidget>

class QLabel;

namespace tessaro::ui {

/// The waiting panel TFrmProgress shown during long database work. It has no loop of its own:
/// each phase text is painted at once, before the work goes on.
class ProgressWindow : public QWidget {
    Q_OBJECT
public:
    /// The shared window, created on first use.
    static ProgressWindow& instance();

    /// Shows the window (modeless) with a phase text, painted before this returns.
    void showPhase(const QString& text);
    /// Hides the window; its last text stays for the next caller to replace.
    void finish();
    QString phaseText() const;

private:
    ProgressWindow();
    void paintNow();

    QLabel* m_label = nullptr;
};

/// Shows the progress window for a piece of work and hides it however the work ends.
class ProgressScope {
public:
    explicit ProgressScope(const QString& firstPhase);
    ~ProgressScope();
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;
    void phase(const QString& text);
};

} // namespace tessaro::ui
