// One whole practice run through the windows, offscreen, with the bank checked afterwards.
#include "BankFixture.h"
#include "app/CommandTable.h"
#include "app/ui/AssetPictures.h"
#include "app/ui/FaceButton.h"
#include "app/ui/MessageDialog.h"
#include "app/ui/SystemMessage.h"
#include "practice/QuestionLists.h"
#include "practice/ui/NavigatorWindow.h"
#include "practice/ui/PracticeWindow.h"
#include "practice/ui/QuestionView.h"
#include "practice/ui/TimeGauge.h"
#include "store/DataModule.h"
#include "store/SharedValues.h"

#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QLCDNumber>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <chrono>
#include <random>

using namespace tessaro;
namespace fs = std::filesystem;

namespace {

template <typename T = QWidget> T* child(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(name);
    if (!found)
        qFatal("no control %s", name);
    return found;
}

/// Runs a step on the next modal window that opens, then closes it the way a person would.
void onNextModal(std::function<void(QWidget&)> step) {
    QTimer::singleShot(0, [step] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        step(*modal);
        modal->close();
    });
}

} // namespace

class PracticeRunTest : public QObject {
    Q_OBJECT

private:
    fs::path m_dir;
    std::unique_ptr<store::ManualClock> m_clock;
    std::unique_ptr<store::ScopedClock> m_clockScope;
    std::unique_ptr<store::DataModule> m_module;
    QStringList m_messages;

    store::Database& db() { return m_module->db(); }
    QString text(const std::string& sql) {
        return QString::fromStdString(db().scalarText(sql).value_or("<null>"));
    }
    qint64 number(const std::string& sql) { return db().scalarInt(sql).value_or(-1); }

    void addQuestion(const std::string& id, const char* key, int type, const char* point) {
        auto st = db().prepare("insert into tab_answ (A1, A2, A2_1, A10, A13, F1, K3, xx) "
                               "values (?, ?, 4, '100101', ?, 0, ?, ?)");
        st.bind(1, id)
            .bind(2, key)
            .bind(3, type)
            .bind(4, point)
            .bind(5, static_cast<int>(number("select count(*) from tab_answ")))
            .run();
        const std::string rtf = "{\\rtf1\\ansi " + id + " question text}";
        auto exer = db().prepare("insert into tab_exer (A1, A15, jx) values (?, ?, ?)");
        exer.bind(1, id).bind(2, store::Blob(rtf.begin(), rtf.end()));
        const std::string jx = "{\\rtf1 because}";
        exer.bind(3, store::Blob(jx.begin(), jx.end())).run();
    }

private slots:
    void init() {
        std::random_device random;
        m_dir = fs::temp_directory_path() / ("tessaro-gui-" + std::to_string(random()));
        fs::create_directories(m_dir);
        tessaro::testing::createEmptyBank(m_dir / "bank.sqlite");
        m_clock =
            std::make_unique<store::ManualClock>(store::ManualClock::atLocalDate(2026, 5, 20));
        m_clockScope = std::make_unique<store::ScopedClock>(*m_clock);
        m_module = std::make_unique<store::DataModule>(m_dir / "bank.sqlite");
        QVERIFY(m_module->Connected());
        store::shared() = store::SharedValues{};
        store::shared().AppDir = TESSARO_TEST_SHARE_DIR;
        db().exec(R"(
            insert into tab_kmmc (C1, C1_1, C2, bh) values
              ('1', '第一科', '第一科', 1), ('10', '第一篇', '第一篇', 2),
              ('1001', '第一章', '第一章', 3), ('100101', '第一节 总则', '第一节', 4);
            insert into tab_fgmc (id, n, bh) values ('AB', 'Top', 1), ('ABCDEF', 'Section', 2);
            insert into tab_rule (ftid, id, sn) values ('ABCDEF0001', 'ABCDEF', '1');
            insert into tab_tx1 (A1, B1, B2, B3) values (61, '单项选择题', 1, 1),
              (66, '多项选择题', 2, 1), (71, '简答题', 5, 1);
        )");
        for (int i = 1; i <= 22; ++i)
            addQuestion(QString("Q%1").arg(i, 3, 10, QChar('0')).toStdString(), "A", 61,
                        i == 1 ? "ABCDEF0001" : "");
        for (int i = 23; i <= 25; ++i)
            addQuestion(QString("Q%1").arg(i, 3, 10, QChar('0')).toStdString(), "AC", 66, "");
        db().exec("update tab_kmmc set C3 = 25");
        m_messages.clear();
        ui::setMsgDlgHook([this](ui::MessageDialog& dialog) {
            m_messages << dialog.findChild<QLabel*>("fcLabel1")->text();
            return 1;
        });
        ui::setSystemMessageHook([this](const ui::SystemMessageCall& call) {
            m_messages << call.text;
            return QMessageBox::Ok;
        });
    }

    void cleanup() {
        ui::setMsgDlgHook({});
        ui::setSystemMessageHook({});
        practice::ui::NavigatorWindow::setPracticeHook({});
        m_module.reset();
        m_clockScope.reset();
        fs::remove_all(m_dir);
    }

    void menuCommandsOpenTheNavigator() {
        const app::CommandTable table = app::standardCommands();
        for (const char* name : {"lx", "lx2", "lx3", "lx4", "lx5"}) {
            const app::Command* command = table.find(name);
            QVERIFY(command);
            QCOMPARE(command->windowName, QString("TFrmkmmc"));
            QVERIFY(command->open);
        }
        table.find("lx3")->before();
        QCOMPARE(store::shared().SubjectNo, 3);
    }

    void wholeRun() {
        practice::ui::NavigatorWindow navigator(*m_module);
        navigator.show();
        QCOMPARE(child<QLCDNumber>(navigator, "epNum_all")->intValue(), 25);
        QCOMPARE(child<QLabel>(navigator, "Lb_fs")->text(), QString("分数"));
        auto* grid = child<QTableWidget>(navigator, "DBGrid1");
        QCOMPARE(grid->rowCount(), 4);
        QVERIFY2(grid->item(3, 0)->text().startsWith("   "), "chapters are indented");

        grid->setCurrentCell(1, 0); // a part cannot be practised
        child<QPushButton>(navigator, "SpeedButton1")->click();
        QCOMPARE(m_messages, QStringList{"请选择具体章节目录！"});
        m_messages.clear();
        grid->setCurrentCell(3, 0);
        QCOMPARE(QString::fromStdString(store::shared().CurrentChapter), QString("第一节 总则"));

        bool ran = false;
        practice::ui::NavigatorWindow::setPracticeHook([&](practice::ui::PracticeWindow& window) {
            auto* shown = &window;
            QTimer::singleShot(0, [this, shown, &ran] {
                runInside(*shown);
                ran = !QTest::currentTestFailed();
                if (shown->isVisible())
                    shown->close(); // a failed step must not leave the run open
            });
        });
        child<QPushButton>(navigator, "SpeedButton1")->click();
        QVERIFY(ran);
        QVERIFY2(navigator.isVisible(), "the navigator shows again");

        // The bank after the run.
        QCOMPARE(
            text("select E2||'/'||E2_1||'/'||E3||'/'||E4||'/'||E1 from tab_answ where A1='Q001'"),
            QString("A/A/1/0/2026-05-20"));
        QCOMPARE(text("select E2||'/'||E3||'/'||E4 from tab_answ where A1='Q002'"),
                 QString("B/1/-3"));
        QCOMPARE(text("select E2||'/'||E4 from tab_answ where A1='Q021'"), QString("A/0"));
        QCOMPARE(text("select E2||'/'||E2_1 from tab_answ where A1='Q023'"), QString("AC/AC"));
        QCOMPARE(text("select coalesce(E2, 'none') from tab_answ where A1='Q003'"),
                 QString("none"));
        QCOMPARE(text("select A14 from tab_answ where A1='Q023'"), QString("check the contract"));
        QCOMPARE(text("select A2||'/'||A3||'/'||B1||'/'||B2||'/'||D1 from tab_rz"),
                 QString("4/1/4/1/00:03:00"));
        QCOMPARE(text("select group_concat(C1||':'||C4||'/'||D1||'/'||D2||'/'||C6, ' ') from "
                      "(select * from tab_kmmc order by bh)"),
                 QString("1:4/4/1/75.00 10:4/4/1/75.00 1001:4/4/1/75.00 100101:4/4/1/75.00"));
        QCOMPARE(text("select q1||'/'||q2||'/'||q4 from tab_rule"), QString("1/1/0"));
        QCOMPARE(text("select group_concat(q1||'/'||q2||'/'||q4) from tab_fgmc"),
                 QString("1/1/0,1/1/0"));
        // Totals refreshed.
        QCOMPARE(child<QLCDNumber>(navigator, "epNum_ok")->intValue(), 4);
        QCOMPARE(child<QLCDNumber>(navigator, "epNum_Err")->intValue(), 1);
        QCOMPARE(child<QLabel>(navigator, "Lb_fs")->text(), QString("75.00"));
        QCOMPARE(grid->item(3, 3)->text(), QString("4"));
        QCOMPARE(grid->currentRow(), 3);

        // Nothing new is left for the answered questions; review lists them.
        // Q002 was wrong, so a wrong-question run opens.
        m_messages.clear();
        int listed = 0;
        practice::ui::NavigatorWindow::setPracticeHook([&](practice::ui::PracticeWindow& window) {
            auto* shown = &window;
            QTimer::singleShot(0, [shown, &listed] {
                listed = shown->session().total();
                shown->close();
            });
        });
        child<QPushButton>(navigator, "SpeedButton2")->click();
        QCOMPARE(listed, 1);
        QVERIFY(m_messages.isEmpty());
        navigator.close();
        QVERIFY(!store::shared().NavigatorShown);
    }

    void emptyListsGiveTheirMessage() {
        practice::ui::NavigatorWindow navigator(*m_module);
        navigator.show();
        child<QTableWidget>(navigator, "DBGrid1")->setCurrentCell(3, 0);
        child<QPushButton>(navigator, "SpeedButton2")->click();
        child<QPushButton>(navigator, "SpeedButton3")->click();
        QCOMPARE(m_messages, (QStringList{"本章节下没有错题！", "本章节习题还未曾做过！"}));
        QVERIFY(navigator.isVisible());
    }

    void practiceInsideTheModalNavigator() {
        // The menu opens the navigator modally; a practice run must not end that loop.
        practice::ui::NavigatorWindow navigator(*m_module);
        bool stillOpen = false;
        int listed = 0;
        practice::ui::NavigatorWindow::setPracticeHook([&](practice::ui::PracticeWindow& window) {
            auto* shown = &window;
            QTimer::singleShot(0, [shown, &listed] {
                listed = shown->session().total();
                shown->close();
            });
        });
        QTimer::singleShot(0, [&] {
            child<QTableWidget>(navigator, "DBGrid1")->setCurrentCell(3, 0);
            child<QPushButton>(navigator, "SpeedButton1")->click();
            QTimer::singleShot(50, [&] {
                stillOpen = navigator.isVisible();
                navigator.close();
            });
        });
        navigator.exec();
        QCOMPARE(listed, 25);
        QVERIFY(stillOpen);
    }

    void keysAnswerAndMoveAndClosingRecords() {
        practice::ui::PracticeWindow window(*m_module);
        store::shared().QuestionListSql =
            practice::questionListFor(practice::PracticeMode::NewQuestions, "100101").sql;
        store::shared().QuestionListParams = {"6", "100101"};
        QVERIFY(window.LoadQuestionList());
        window.show();
        QTest::keyClick(&window, Qt::Key_C);
        QVERIFY(child<QAbstractButton>(window, "fcBG_one3")->isChecked());
        QTest::keyClick(&window, Qt::Key_Return);
        QCOMPARE(window.session().current(), 2);
        QCOMPARE(text("select E2_1 from tab_answ where A1='Q001'"), QString("C"));
        QTest::keyClick(&window, Qt::Key_B);
        QTest::keyClick(&window, Qt::Key_Backspace);
        QCOMPARE(window.session().current(), 1);
        QVERIFY(child<QAbstractButton>(window, "fcBG_one3")->isChecked());
        QTest::keyClick(&window, Qt::Key_A);
        window.close(); // the window manager's close button
        QCOMPARE(text("select E2||E2_1||E3 from tab_answ where A1='Q001'"), QString("AA2"));
        QCOMPARE(text("select E2 from tab_answ where A1='Q002'"), QString("B"));
    }

    void contentThatCannotBeShownLeavesPanesEmptyOrPlain() {
        practice::ui::QuestionView view;
        view.resize(600, 400);
        view.show();
        practice::QuestionContent content;
        content.id = "G1-1";
        content.grouped = true;
        const std::string notRtf = "plain words, not rich text";
        content.text.assign(notRtf.begin(), notRtf.end());
        view.showContent(content); // stem row missing
        QCOMPARE(child<QTextEdit>(view, "Re1")->toPlainText(), QString());
        QVERIFY(child<QTextEdit>(view, "Re2")->isVisible());
        QCOMPARE(child<QTextEdit>(view, "Re2")->toPlainText(), QString::fromStdString(notRtf));
        const std::string broken = "{\\rtf1 {\\b unclosed";
        content = practice::QuestionContent{};
        content.id = "Q1";
        content.text.assign(broken.begin(), broken.end());
        view.showContent(content);
        QVERIFY(!child<QTextEdit>(view, "Re2")->isVisible());
        QVERIFY(child<QTextEdit>(view, "Re1")->toPlainText().contains("unclosed"));
    }

    void doubleClickStartsNewQuestions() {
        practice::ui::NavigatorWindow navigator(*m_module);
        navigator.show();
        int listed = 0;
        practice::ui::NavigatorWindow::setPracticeHook([&](practice::ui::PracticeWindow& window) {
            auto* shown = &window;
            QTimer::singleShot(0, [shown, &listed] {
                listed = shown->session().total();
                shown->close();
            });
        });
        auto* grid = child<QTableWidget>(navigator, "DBGrid1");
        grid->setCurrentCell(3, 0);
        emit grid->cellDoubleClicked(3, 0);
        QCOMPARE(listed, 25);
        QVERIFY(store::shared().QuestionListSql.ends_with("order by a13,a10,xx"));
    }

    void gaugeTurnsRedAboveStep65_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("colour");
        QTest::newRow("green lit") << 40 << 30 << "green";
        QTest::newRow("red lit") << 90 << 80 << "red";
        QTest::newRow("red unlit") << 50 << 80 << "dark";
        QTest::newRow("full") << 100 << 99 << "red";
    }

    void gaugeTurnsRedAboveStep65() {
        QFETCH(int, value);
        QFETCH(int, step);
        QFETCH(QString, colour);
        practice::ui::TimeGauge gauge;
        gauge.resize(16, 204);
        gauge.setValue(value);
        const QImage image = gauge.grab().toImage();
        // Steps fill from the bottom: step s sits at s percent of the height from below.
        const QColor pixel = image.pixelColor(8, 203 - (step * 200 / 100));
        if (colour == "green")
            QVERIFY2(pixel.green() > 150 && pixel.red() < 100, qPrintable(pixel.name()));
        else if (colour == "red")
            QVERIFY2(pixel.red() > 150 && pixel.green() < 100, qPrintable(pixel.name()));
        else
            QVERIFY2(pixel.red() < 100 && pixel.green() < 100, qPrintable(pixel.name()));
    }

    void layouts_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QSize>("navigatorSize");
        QTest::addColumn<QSize>("practiceSize");
        QTest::newRow("1024") << "1024" << QSize(935, 611) << QSize(1000, 700);
        QTest::newRow("800") << "800" << QSize(761, 480) << QSize(780, 490);
    }

    void layouts() {
        QFETCH(QString, mode);
        QFETCH(QSize, navigatorSize);
        QFETCH(QSize, practiceSize);
        store::shared().ScreenMode = mode.toStdString();
        practice::ui::NavigatorWindow navigator(*m_module);
        navigator.show();
        QCOMPARE(navigator.size(), navigatorSize);
        // Sized while being shown, the window must still end up centred and on the screen.
        const QRect area = navigator.screen()->availableGeometry();
        const QRect frame = navigator.frameGeometry();
        QVERIFY(area.contains(frame.topLeft()));
        if (frame.width() <= area.width())
            QVERIFY(std::abs(frame.center().x() - area.center().x()) <= 1);
        if (frame.height() <= area.height())
            QVERIFY(std::abs(frame.center().y() - area.center().y()) <= 1);
        practice::ui::PracticeWindow practice(*m_module);
        QCOMPARE(practice.size(), practiceSize);
    }

    void everyControlHasAnAccessibleName() {
        practice::ui::NavigatorWindow navigator(*m_module);
        navigator.show();
        QStringList unnamed = unnamedControls(navigator);
        practice::ui::PracticeWindow window(*m_module);
        store::shared().QuestionListSql =
            practice::questionListFor(practice::PracticeMode::NewQuestions, "100101").sql;
        store::shared().QuestionListParams = {"6", "100101"};
        QVERIFY(window.LoadQuestionList());
        window.show();
        unnamed += unnamedControls(window);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    }

private:
    QString noteText;

    /// Visible controls a person operates that a screen reader could not name.
    static QStringList unnamedControls(QWidget& window) {
        QStringList unnamed;
        for (QWidget* widget : window.findChildren<QWidget*>()) {
            // A grid's header is part of the grid, which carries the name.
            const bool operated =
                qobject_cast<QAbstractButton*>(widget) ||
                (qobject_cast<QAbstractItemView*>(widget) && !qobject_cast<QHeaderView*>(widget)) ||
                qobject_cast<QTextEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget);
            if (!operated || !widget->isVisibleTo(&window))
                continue;
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
            if (!face || face->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << widget->objectName() + "(" + widget->metaObject()->className() + ")";
        }
        return unnamed;
    }

    void click(QWidget& window, const char* name) {
        auto* button = child<QAbstractButton>(window, name);
        QVERIFY2(button->isEnabled(), name);
        button->click();
    }

    void runInside(practice::ui::PracticeWindow& window) {
        QCOMPARE(window.windowTitle(), QString("练习新题"));
        QCOMPARE(child<QLabel>(window, "epLabel2")->text(), QString("第一节 总则"));
        QCOMPARE(child<QLabel>(window, "Lb_zs")->text(), QString("2"));
        QCOMPARE(child<QLabel>(window, "Lb_ts")->text(), QString("25"));
        auto& view = window.view();
        QCOMPARE(view.page(), 0);
        QVERIFY(!child<QPushButton>(window, "epEfTrBtn6")->isEnabled());

        // Q001 right, checked, compared.
        click(window, "fcBG_one1");
        click(window, "epEfTrBtn3");
        auto* first = child<ui::FaceButton>(window, "fcBG_th1");
        QCOMPARE(first->downFace().toImage(), ui::loadPicture("pic/vreldw_r.bmp").toImage());
        click(window, "epEfTrBtn6");
        QCOMPARE(child<QPushButton>(window, "epEfTrBtn6")->text(), QString("返回"));
        QCOMPARE(child<QLabel>(window, "Lb_answtip")->text(), QString("恭喜你，做对了！"));
        QCOMPARE(child<QWidget>(window, "Panel2")->width(),
                 child<QWidget>(window, "Panel1")->width());
        click(window, "epEfTrBtn6");
        QCOMPARE(child<QPushButton>(window, "epEfTrBtn6")->text(), QString("答案"));
        QCOMPARE(view.answerPanelWidth(), 0);
        QVERIFY(child<QPushButton>(window, "epEfTrBtn4")->isEnabled());
        onNextModal(
            [](QWidget& explanation) { QCOMPARE(explanation.objectName(), QString("TFrmJx")); });
        click(window, "epEfTrBtn4");

        // Q002 wrong, left by "下一题".
        click(window, "epEfTrBtn2");
        click(window, "fcBG_one2");
        m_clock->advance(std::chrono::seconds(60));
        click(window, "epEfTrBtn2");
        QCOMPARE(child<ui::FaceButton>(window, "fcBG_th2")->upFace().toImage(),
                 ui::loadPicture("pic/vrelno.bmp").toImage());
        QCOMPARE(child<QLabel>(window, "Label12")->text(), QString("3"));

        // "完成" without an answer.
        click(window, "epEfTrBtn3");
        QCOMPARE(m_messages, QStringList{"请先做出答案！"});

        // Group 2, its first question answered, then the type changes.
        click(window, "FlatSpeedButton2");
        QCOMPARE(child<QLabel>(window, "Lb_zb")->text(), QString("2"));
        QVERIFY(!child<QAbstractButton>(window, "fcBG_th6")->isEnabled());
        click(window, "fcBG_one1");
        m_clock->advance(std::chrono::seconds(60));
        click(window, "fcBG_tx2"); // 多项选择题
        QCOMPARE(view.page(), 1);
        QCOMPARE(child<QLabel>(window, "Label8")->text(), QString("多\n项"));
        QCOMPARE(child<QLabel>(window, "Lb_ts")->text(), QString("3"));
        QVERIFY2(!child<QAbstractButton>(window, "fcBG_tx3")->isEnabled(), "no 简答题");
        click(window, "fcBG_many3");
        click(window, "fcBG_many1");

        // A note, closed with the window manager's close button.
        onNextModal([](QWidget& note) {
            QCOMPARE(note.objectName(), QString("TFrmBj"));
            note.findChild<QPlainTextEdit*>("DBMemo1")->setPlainText("check the contract");
        });
        click(window, "epEfTrBtn5");
        QCOMPARE(child<QPushButton>(window, "epEfTrBtn5")->text(), QString("有内容"));

        // Closing records the answer on screen.
        m_clock->advance(std::chrono::seconds(60));
        window.close();
    }
};

QTEST_MAIN(PracticeRunTest)
#include "PracticeRunTest.moc"
