#include "app/ui/MessageDialog.h"

#include "app/ui/AssetPictures.h"
#include "app/ui/Look.h"
#include "app/ui/ProgressWindow.h"
#include "app/ui/ShapeButton.h"
#include "store/BankLocation.h"
#include "store/SharedValues.h"

#include <QApplication>
#include <QLabel>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <stdexcept>

using namespace tessaro;
using ui::MessageDialog;
using ui::ShowMsgDlg;

namespace {

struct TerminateCalled : std::runtime_error {
    TerminateCalled() : std::runtime_error("terminate") {}
};

/// Runs an action on the modal dialog as soon as it is up.
void whenModal(std::function<void(QWidget&)> action) {
    QTimer::singleShot(0, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        action(*modal);
    });
}

QStringList captions(const std::vector<ui::ShapeButton*>& buttons) {
    QStringList texts;
    for (auto* button : buttons)
        texts << button->text();
    return texts;
}

} // namespace

class MessageDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void buttonsOfEachSet_data();
    void buttonsOfEachSet();
    void resultOfEachButtonThroughTheModalLoop_data();
    void resultOfEachButtonThroughTheModalLoop();
    void escapeDeclines_data();
    void escapeDeclines();
    void widthIsRestoredAfterTheNarrowSet();
    void setOutsideTheTableKeepsTheLastVisibility();
    void titleTextAndIconPage();
    void longTextGrowsTheDialog();
    void hookAnswersWithoutAModalLoop();
    void everyPictureTheWindowsLoadIsDelivered_data();
    void everyPictureTheWindowsLoadIsDelivered();
    void missingPictureReportsAndEnds();
    void progressWindowProtocol();
    void progressScopeHidesWhenWorkFails();
    void songtiMapsToAnInstalledChineseFont();
};

void MessageDialogTest::initTestCase() {
    store::shared().AppDir = store::location::findAppDir();
    ui::look::apply(*qApp);
}

void MessageDialogTest::cleanup() {
    ui::setMsgDlgHook({});
    ui::setTerminateHook({});
}

void MessageDialogTest::buttonsOfEachSet_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("leftToRight");
    QTest::addColumn<int>("width");
    QTest::newRow("0 plain") << 0 << "NO" << QStringList{"确定", "取消"} << 399;
    QTest::newRow("1 single centred") << 1 << "NO" << QStringList{"确定"} << 399;
    QTest::newRow("2 exam") << 2 << "Exam" << QStringList{"确定", "取消", "作废"} << 399;
    QTest::newRow("2 plain") << 2 << "NO" << QStringList{"确定", "确定", "取消"} << 399;
    QTest::newRow("2 empty mode") << 2 << "" << QStringList{"确定", "确定", "取消"} << 399;
    QTest::newRow("3 narrow") << 3 << "No" << QStringList{"确定"} << 200;
}

void MessageDialogTest::buttonsOfEachSet() {
    QFETCH(int, buttons);
    QFETCH(QString, mode);
    QFETCH(QStringList, leftToRight);
    QFETCH(int, width);
    int seen = 0;
    ui::setMsgDlgHook([&](MessageDialog& dialog) {
        ++seen;
        [&] {
            QCOMPARE(captions(dialog.visibleButtonsLeftToRight()), leftToRight);
            QCOMPARE(dialog.width(), width);
        }();
        return 1;
    });
    ShowMsgDlg("提示", "到时间了", buttons, 1, mode);
    QCOMPARE(seen, 1);
}

void MessageDialogTest::resultOfEachButtonThroughTheModalLoop_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("result");
    QTest::newRow("set 1, the one button") << 1 << "NO" << 0 << 3;
    QTest::newRow("exam, 确定") << 2 << "Exam" << 0 << 1;
    QTest::newRow("exam, 取消 in the middle") << 2 << "Exam" << 1 << 3;
    QTest::newRow("exam, 作废 on the right") << 2 << "Exam" << 2 << 2;
    QTest::newRow("plain, middle 确定") << 2 << "NO" << 1 << 3;
    QTest::newRow("plain, right 取消") << 2 << "NO" << 2 << 2;
    QTest::newRow("set 0, 取消") << 0 << "NO" << 1 << 2;
    QTest::newRow("set 3, 确定") << 3 << "NO" << 0 << 1;
}

void MessageDialogTest::resultOfEachButtonThroughTheModalLoop() {
    QFETCH(int, buttons);
    QFETCH(QString, mode);
    QFETCH(int, position);
    QFETCH(int, result);
    whenModal([position](QWidget& modal) {
        QCOMPARE(modal.objectName(), QString("TFrmDlg"));
        auto shown = static_cast<MessageDialog&>(modal).visibleButtonsLeftToRight();
        QVERIFY(position < int(shown.size()));
        QTest::mouseClick(shown[position], Qt::LeftButton);
    });
    QCOMPARE(ShowMsgDlg("提示", "恭喜你已经做完试卷，确定要交卷吗？", buttons, 0, mode), result);
    QVERIFY(!MessageDialog::instance().isVisible());
}

void MessageDialogTest::escapeDeclines_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("result");
    QTest::newRow("set 0 gives 取消") << 0 << "NO" << 2;
    QTest::newRow("set 1 gives its only button") << 1 << "NO" << 3;
    QTest::newRow("exam gives 取消, never 作废") << 2 << "Exam" << 3;
    QTest::newRow("set 3 gives its only button") << 3 << "NO" << 1;
}

void MessageDialogTest::escapeDeclines() {
    QFETCH(int, buttons);
    QFETCH(QString, mode);
    QFETCH(int, result);
    whenModal([](QWidget& modal) { QTest::keyClick(&modal, Qt::Key_Escape); });
    QCOMPARE(ShowMsgDlg("提示", "要退出吗？", buttons, 0, mode), result);
}

void MessageDialogTest::widthIsRestoredAfterTheNarrowSet() {
    QList<int> widths;
    ui::setMsgDlgHook([&](MessageDialog& dialog) {
        widths << dialog.width();
        return 1;
    });
    ShowMsgDlg("提示", "请选择具体章节!", 3, 1, "NO");
    ShowMsgDlg("提示", "到时间了", 1, 1, "NO");
    QCOMPARE(widths, (QList<int>{200, 399}));
}

void MessageDialogTest::setOutsideTheTableKeepsTheLastVisibility() {
    QStringList shown;
    ui::setMsgDlgHook([&](MessageDialog& dialog) {
        shown = captions(dialog.visibleButtonsLeftToRight());
        return 1;
    });
    ShowMsgDlg("提示", "first", 0, 0, "NO");
    ShowMsgDlg("提示", "second", 7, 0, "NO");
    QCOMPARE(shown, (QStringList{"确定", "取消"}));
    ShowMsgDlg("提示", "third", -1, 0, "Exam");
    QCOMPARE(shown, (QStringList{"确定", "作废"}));
}

void MessageDialogTest::titleTextAndIconPage() {
    for (int page : {2, 0, 1}) {
        ui::setMsgDlgHook([page](MessageDialog& dialog) {
            [&] {
                QCOMPARE(dialog.iconPage(), page);
                QCOMPARE(dialog.windowTitle(), QString("错误"));
                QCOMPARE(dialog.findChild<QLabel*>("Label1")->text(), QString("错误"));
                QCOMPARE(dialog.findChild<QLabel*>("fcLabel1")->text(), QString("无法保存文件！"));
                auto* icons = dialog.findChild<QStackedWidget*>("epNoteBook1");
                auto* icon = qobject_cast<QLabel*>(icons->currentWidget());
                QVERIFY(icon && !icon->pixmap().isNull());
            }();
            return 3;
        });
        QCOMPARE(ShowMsgDlg("错误", "无法保存文件！", 1, page, "NO"), 3);
    }
}

void MessageDialogTest::longTextGrowsTheDialog() {
    int heightShort = 0, heightLong = 0;
    QRect textRect, buttonRect;
    ui::setMsgDlgHook([&](MessageDialog& dialog) {
        (heightShort == 0 ? heightShort : heightLong) = dialog.height();
        textRect = dialog.findChild<QLabel*>("fcLabel1")->geometry();
        buttonRect = dialog.button(3)->geometry();
        return 3;
    });
    ShowMsgDlg("提示", "到时间了", 1, 1, "NO");
    QCOMPARE(heightShort, MessageDialog::kDesignHeight);
    ShowMsgDlg("提示",
               QString("题库文件不属于本产品，或者已经合并过，请检查升级文件。").repeated(3), 1, 1,
               "NO");
    QVERIFY(heightLong > heightShort);
    QVERIFY(textRect.bottom() < buttonRect.top());
}

void MessageDialogTest::hookAnswersWithoutAModalLoop() {
    ui::setMsgDlgHook([](MessageDialog& dialog) {
        [&] { QVERIFY(!dialog.isVisible()); }();
        return 2;
    });
    QCOMPARE(ShowMsgDlg("提示", "x", 0, 0, "NO"), 2);
}

void MessageDialogTest::everyPictureTheWindowsLoadIsDelivered_data() {
    QTest::addColumn<QString>("picture");
    for (const char* name :
         {"pic\\vrelup.bmp", "pic\\vreldw.bmp", "pic\\vrelover.bmp", "pic\\vrelyes.bmp",
          "pic\\vreldw_r.bmp", "pic\\vrelno.bmp", "pic\\vreldw_w.bmp", "pic\\vreltxup.bmp",
          "pic\\vreltxdw.bmp", "pic/dlgback.png", "pic/dlgtitle.png", "pic/dlginfo.png",
          "pic/dlgwarn.png", "pic/dlgerror.png", "pic/about.png", "pic/switchon.png",
          "pic/switchoff.png", "pic/folder.png"})
        QTest::newRow(name) << QString(name);
}

void MessageDialogTest::everyPictureTheWindowsLoadIsDelivered() {
    QFETCH(QString, picture);
    ui::setTerminateHook([] { throw TerminateCalled(); });
    QPixmap loaded;
    try {
        loaded = ui::requirePicture(picture);
    } catch (const TerminateCalled&) {
        QFAIL("picture missing");
    }
    QVERIFY(!loaded.isNull());
    if (picture.endsWith(".bmp"))
        QVERIFY2(loaded.hasAlphaChannel(), "button faces keep their rounded, transparent corners");
}

void MessageDialogTest::missingPictureReportsAndEnds() {
    QString title, text;
    QStringList shown;
    int page = -1;
    ui::setMsgDlgHook([&](MessageDialog& dialog) {
        title = dialog.windowTitle();
        text = dialog.findChild<QLabel*>("fcLabel1")->text();
        shown = captions(dialog.visibleButtonsLeftToRight());
        page = dialog.iconPage();
        return 3;
    });
    ui::setTerminateHook([] { throw TerminateCalled(); });
    bool ended = false;
    try {
        ui::requirePictures({"pic/vrelup.bmp", "pic/none-such.bmp"});
    } catch (const TerminateCalled&) {
        ended = true;
    }
    QVERIFY(ended);
    QCOMPARE(title, QString("错误"));
    QCOMPARE(text, QString("无法提取资源文件！"));
    QCOMPARE(shown, QStringList{"确定"});
    QCOMPARE(page, 2);
}

void MessageDialogTest::progressWindowProtocol() {
    auto& progress = ui::ProgressWindow::instance();
    QCOMPARE(progress.objectName(), QString("TFrmProgress"));
    QVERIFY(!progress.isVisible());
    QCOMPARE(progress.phaseText(), QString("请等待..."));
    progress.showPhase("正在初始化数据...");
    QVERIFY(progress.isVisible());
    QCOMPARE(progress.findChild<QLabel*>("Label1")->text(), QString("正在初始化数据..."));
    progress.showPhase("正在出卷...");
    QCOMPARE(progress.phaseText(), QString("正在出卷..."));
    progress.finish();
    QVERIFY(!progress.isVisible());
    QCOMPARE(progress.phaseText(), QString("正在出卷..."));
}

void MessageDialogTest::progressScopeHidesWhenWorkFails() {
    try {
        ui::ProgressScope scope("正在判卷...");
        QVERIFY(ui::ProgressWindow::instance().isVisible());
        throw std::runtime_error("database error");
    } catch (const std::runtime_error&) {
    }
    QVERIFY(!ui::ProgressWindow::instance().isVisible());
}

void MessageDialogTest::songtiMapsToAnInstalledChineseFont() {
    const QFont font("宋体");
    const QFontInfo info(font);
    QCOMPARE(info.family(), ui::look::serifFamily());
    QVERIFY(QFontMetrics(font).inFont(QChar(0x63D0))); // 提
}

QTEST_MAIN(MessageDialogTest)
#include "MessageDialogTest.moc"
