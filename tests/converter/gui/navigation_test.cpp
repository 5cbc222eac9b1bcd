// Keyboard navigation and pages that refuse to be left.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

#include "gui/options_page_ids.h"
#include "gui/page_tab_control.h"
#include "gui/sdf_page_ids.h"
#include "gui/tab_page.h"
#include "gui/text_page_ids.h"
#include "gui_harness.h"

using namespace gui_testing;
using namespace gui::ids;

namespace {

QWidget* focused(const Program& program) { return program.window->focusWidget(); }

}  // namespace

TEST(Navigation, CtrlTabWrapsBothWaysAndArrowsOnTheTabRow) {
    Program program;
    gui::PageTabControl* tabs = program.window->tabs();
    QWidget* start =
        QApplication::focusWidget() ? QApplication::focusWidget() : program.window.get();
    QTest::keyClick(start, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tabs->currentIndex(), 6);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 0);
    // On the tab row Right and Left change pages, wrapping, and keep the focus.
    tabs->tabBar()->setFocus();
    QTest::keyClick(tabs->tabBar(), Qt::Key_Left);
    EXPECT_EQ(tabs->currentIndex(), 6);
    QTest::keyClick(tabs->tabBar(), Qt::Key_Right);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(focused(program), tabs->tabBar());
}

TEST(Navigation, TabGoesRoundThePageWithARadioGroupAsOneStop) {
    Program program;
    program.goToPage(sdf_page::kTemplate);  // SDF: "有り" / "無し" form one stop
    gui::PageTabControl* tabs = program.window->tabs();
    tabs->tabBar()->setFocus();
    QTest::keyClick(tabs->tabBar(), Qt::Key_Tab);
    EXPECT_EQ(focused(program), program.control(sdf_page::kTemplate, sdf_page::kSourceEdit));
    QTest::keyClick(focused(program), Qt::Key_Tab);
    EXPECT_EQ(focused(program),
              program.control(sdf_page::kTemplate, sdf_page::kBrowseSourceButton));
    QTest::keyClick(focused(program), Qt::Key_Down);  // Down acts as Tab
    EXPECT_EQ(focused(program), program.control(sdf_page::kTemplate, sdf_page::kLineBreaksRadio));
    QTest::keyClick(focused(program), Qt::Key_Tab);
    // "無し" is skipped; the record length is disabled with "有り".
    EXPECT_EQ(focused(program), program.control(sdf_page::kTemplate, sdf_page::kAddress1StartEdit));
    QTest::keyClick(focused(program), Qt::Key_Up);
    EXPECT_EQ(focused(program), program.control(sdf_page::kTemplate, sdf_page::kLineBreaksRadio));
    // Shift+Tab from the first control goes to the tab row.
    program.control(sdf_page::kTemplate, sdf_page::kSourceEdit)->setFocus();
    QTest::keyClick(focused(program), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focused(program), tabs->tabBar());
}

TEST(Navigation, OptionsPageWithAnEmptyErrorFileNameKeepsTheUserThere) {
    Program program;
    program.goToPage(options_page::kTemplate);
    gui::PageTabControl* tabs = program.window->tabs();
    program.type(options_page::kTemplate, options_page::kErrorFileEdit, QStringLiteral("   "));
    program.dialogs.messages.clear();
    QTest::keyClick(focused(program), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 6);
    ASSERT_EQ(program.dialogs.messages.size(), 1u);
    EXPECT_EQ(program.dialogs.messages[0].caption, QStringLiteral("エラー ( 700 )"));
    EXPECT_EQ(program.dialogs.messages[0].text,
              QStringLiteral("エラー情報ファイル名が未入力です。"));
    EXPECT_EQ(focused(program),
              program.control(options_page::kTemplate, options_page::kErrorFileEdit));

    // A click on another tab is refused the same way.
    tabs->tabBar()->setFocus();
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(0).center());
    EXPECT_EQ(tabs->currentIndex(), 6);
    EXPECT_EQ(program.dialogs.messages.size(), 2u);
    EXPECT_EQ(focused(program),
              program.control(options_page::kTemplate, options_page::kErrorFileEdit));

    // A negative maximum: message 701 on the maximum field.
    program.type(options_page::kTemplate, options_page::kErrorFileEdit, QStringLiteral("err.txt"));
    program.type(options_page::kTemplate, options_page::kMaxErrorsEdit, QStringLiteral("5-"));
    QTest::keyClick(focused(program), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 6);
    EXPECT_EQ(program.dialogs.messages.back().caption, QStringLiteral("エラー ( 701 )"));
    EXPECT_EQ(focused(program),
              program.control(options_page::kTemplate, options_page::kMaxErrorsEdit));
}

TEST(Navigation, LeavingChangedOptionsAsksAndNoRestoresThem) {
    Program program;
    program.goToPage(options_page::kTemplate);
    auto* hyphen = qobject_cast<QCheckBox*>(
        program.control(options_page::kTemplate, options_page::kHyphenCheck));
    QTest::mouseClick(hyphen, Qt::LeftButton);
    ASSERT_TRUE(hyphen->isChecked());
    program.dialogs.answers = {false};
    QTest::keyClick(focused(program), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(program.window->tabs()->currentIndex(), 0);
    ASSERT_EQ(program.dialogs.questions.size(), 1u);
    EXPECT_EQ(program.dialogs.questions[0].text,
              QStringLiteral("内容が変更されています。\n設定内容を有効にしますか？"));
    EXPECT_FALSE(hyphen->isChecked());
    EXPECT_EQ(program.context.options.HyphenMode, 0);

    // OK with Yes applies: the engine writes codes with a hyphen from now on.
    program.goToPage(options_page::kTemplate);
    QTest::mouseClick(hyphen, Qt::LeftButton);
    program.dialogs.answers = {true};
    program.click(options_page::kTemplate, options_page::kOkButton);
    EXPECT_EQ(program.context.options.HyphenMode, 1);
    EXPECT_EQ(program.engine.hyphenMode(), 1);
    program.engine.setHyphenMode(0);
}

TEST(Navigation, LeavingAConversionPageKeepsItsNumbersButNotItsNames) {
    Program program;
    program.goToPage(text_page::kTemplate);
    program.type(text_page::kTemplate, text_page::kAddress1StartEdit, QStringLiteral("7"));
    program.type(text_page::kTemplate, text_page::kSourceEdit, QStringLiteral("typed.txt"));
    QTest::keyClick(focused(program), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(program.window->tabs()->currentIndex(), 4);
    EXPECT_EQ(program.context.params.StartPosition[0], 7);
    EXPECT_EQ(program.context.options.SFileName, "");
    // The SDF page shares the byte positions and shows them at once.
    auto* start = qobject_cast<QLineEdit*>(
        program.control(sdf_page::kTemplate, sdf_page::kAddress1StartEdit));
    EXPECT_EQ(start->text().trimmed(), QStringLiteral("7"));
    // Back on the text page the name typed before is gone: it was never accepted.
    program.goToPage(text_page::kTemplate);
    EXPECT_EQ(
        qobject_cast<QLineEdit*>(program.control(text_page::kTemplate, text_page::kSourceEdit))
            ->text(),
        QString());
}
