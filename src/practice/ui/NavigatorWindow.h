#pragma once

#include "practice/ChapterNavigator.h"

#include <QDialog>
#include <functional>

class QLCDNumber;
class QLabel;
class QTableWidget;

namespace tessaro::store {
class DataModule;
}
namespace tessaro::ui {
class ShapeButton;
}

namespace tessaro::practice::ui {

class PracticeWindow;

/// TFrmkmmc: the syllabus with its counters and totals, and the entry to the three kinds of
/// practice run.
class NavigatorWindow : public QDialog {
    Q_OBJECT
public:
    explicit NavigatorWindow(store::DataModule& module, QWidget* parent = nullptr);
    ~NavigatorWindow() override;

    ChapterNavigator& navigator() { return m_navigator; }
    /// Tests see each practice window after it was loaded, before it is shown.
    static void setPracticeHook(std::function<void(PracticeWindow&)> hook);

    /// Starts a practice run from the selected row.
    void startPractice(PracticeMode mode, const QString& caption);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void build();
    void applyLayout();
    void FormShow();
    void fillGrid();
    void selectRow(int row);
    void SpeedButton5Click();
    void epEfButton4Click();

    store::DataModule& m_module;
    ChapterNavigator m_navigator;
    QTableWidget* m_grid = nullptr;
    QLCDNumber *m_all = nullptr, *m_ok = nullptr, *m_err = nullptr;
    QLabel* m_score = nullptr;
    QLabel* m_title = nullptr;
    tessaro::ui::ShapeButton* m_guidance = nullptr;
    bool m_practising = false;
};

} // namespace tessaro::practice::ui
