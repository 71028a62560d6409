#pragma once

#include "practice/PracticeSession.h"

#include <QDialog>
#include <QPixmap>
#include <array>
#include <memory>
#include <vector>

class QLabel;
class QTimer;
class QGridLayout;

namespace tessaro::store {
class DataModule;
}
namespace tessaro::ui {
class FaceButton;
class ShapeButton;
} // namespace tessaro::ui

namespace tessaro::practice::ui {

class QuestionView;
class TimeGauge;

/// TFrmLxxt: one practice run over the question list the navigator chose, drawn from a
/// PracticeSession. Every way of closing the window records the question on screen and adds
/// the run's time to the study log.
class PracticeWindow : public QDialog {
    Q_OBJECT
public:
    PracticeWindow(store::DataModule& module, QWidget* parent = nullptr);
    ~PracticeWindow() override;

    /// Loads the list named by QuestionListSql; false when it is empty.
    bool LoadQuestionList();
    PracticeSession& session() { return m_session; }
    QuestionView& view() { return *m_view; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build();
    void applyLayout();
    tessaro::ui::ShapeButton* command(const char* name, const char* caption,
                                      void (PracticeWindow::*slot)());
    void buildTypeButtons();
    void run(void (PracticeSession::*step)());
    void refresh(bool page);
    void syncAnswer();
    void finish();

    void epEfTrBtn1Click();
    void epEfTrBtn2Click();
    void epEfTrBtn3Click();
    void epEfTrBtn4Click();
    void epEfTrBtn5Click();
    void epEfTrBtn6Click();
    void epEfTrBtn7Click();
    void epEfTrBtn8Click();
    void epEfTrBtn9Click();
    void epEfTrBtn10Click();
    void epEfTrBtn11Click();
    void epEfTrBtn99Click();
    void FlatSpeedButton1Click();
    void FlatSpeedButton2Click();
    void Timer1Timer();
    void KZTimeCounter1Tick();

    PracticeSession m_session;
    bool m_started = false;
    bool m_finished = false;
    std::string m_shownContent;

    QuestionView* m_view = nullptr;
    TimeGauge* m_gauge = nullptr;
    QLabel* m_hint = nullptr;
    QLabel* m_stopwatch = nullptr;
    QLabel *m_groupsLabel = nullptr, *m_totalLabel = nullptr, *m_groupLabel = nullptr;
    QLabel *m_position = nullptr, *m_occurrence = nullptr;
    QLabel *m_status = nullptr, *m_edited = nullptr;
    QWidget* m_typeBoard = nullptr;
    QGridLayout* m_typeGrid = nullptr;
    std::vector<tessaro::ui::FaceButton*> m_typeButtons;
    std::array<tessaro::ui::FaceButton*, PracticeSession::kGroupSize> m_numbers{};
    tessaro::ui::ShapeButton *m_previousGroup = nullptr, *m_nextGroup = nullptr;
    tessaro::ui::ShapeButton *m_previous = nullptr, *m_next = nullptr, *m_check = nullptr;
    tessaro::ui::ShapeButton *m_answer = nullptr, *m_explanation = nullptr, *m_note = nullptr;
    tessaro::ui::ShapeButton *m_points = nullptr, *m_edit = nullptr, *m_void = nullptr;
    QTimer* m_gaugeTimer = nullptr;
    QTimer* m_stopwatchTimer = nullptr;
    /// Number faces by verdict (up, down) and the type faces.
    std::array<QPixmap, 3> m_upFaces, m_downFaces;
    QPixmap m_typeUp, m_typeDown;
};

} // namespace tessaro::practice::ui
