// The numeric entry field: pictures, blank zero, sign flip, focus.
#include "gui/ceditn.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <memory>

#include "gui/numeric_picture.h"
#include "gui_harness.h"

using namespace gui_testing;
using gui::readPictureValue;
using gui::showThroughPicture;

TEST(NumericPicture, ValuesShowRightAlignedAndZeroAsBlank) {
    EXPECT_EQ(showThroughPicture("#####", 1, 0), QStringLiteral("     "));
    EXPECT_EQ(showThroughPicture("#####", 0, 0), QStringLiteral("    0"));
    EXPECT_EQ(showThroughPicture("#####", 1, 42), QStringLiteral("   42"));
    EXPECT_EQ(showThroughPicture("#####", 1, -42), QStringLiteral("  -42"));
    EXPECT_EQ(showThroughPicture("##,###", 1, 12345), QStringLiteral("12,345"));
    EXPECT_EQ(showThroughPicture("##,###", 1, 45), QStringLiteral("    45"));
    EXPECT_EQ(showThroughPicture("###", 1, 999), QStringLiteral("999"));
    EXPECT_FALSE(showThroughPicture("###", 1, 1000));
    EXPECT_FALSE(showThroughPicture("###", 1, -100));  // the sign needs a place too
}

TEST(NumericPicture, TypedTextIsReadUpToTheFirstCharacterAboveNine) {
    EXPECT_EQ(readPictureValue(QStringLiteral("  123")), 123);
    EXPECT_EQ(readPictureValue(QStringLiteral(" -12")), -12);
    EXPECT_EQ(readPictureValue(QStringLiteral("12a34")), 12);
    EXPECT_EQ(readPictureValue(QStringLiteral("1,234")), 1234);
    EXPECT_DOUBLE_EQ(readPictureValue(QStringLiteral("3.7")), 3.7);
    EXPECT_EQ(readPictureValue(QString()), 0);
}

class CEditNField : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureApplication();
        holder = std::make_unique<QWidget>();
        QWidget& window = *holder;
        window.resize(200, 80);
        edit = new QLineEdit(&window);
        other = new QLineEdit(&window);
        other->move(0, 40);
        field = new gui::CEditN(edit);
        field->SetFormat(QStringLiteral("#####"), gui::kBlankZero);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        other->setFocus();
    }
    std::unique_ptr<QWidget> holder;
    QLineEdit* edit = nullptr;
    QLineEdit* other = nullptr;
    gui::CEditN* field = nullptr;
};

TEST_F(CEditNField, ZeroIsBlankAndAValueThatDoesNotFitIsRefused) {
    ASSERT_TRUE(field->SetData(0));
    EXPECT_EQ(edit->text(), QStringLiteral("     "));
    EXPECT_EQ(field->GetData(), 0);
    ASSERT_TRUE(field->SetData(123));
    EXPECT_EQ(edit->text(), QStringLiteral("  123"));
    EXPECT_FALSE(field->SetData(123456));
    EXPECT_EQ(edit->text(), QStringLiteral("  123"));
    EXPECT_EQ(edit->maxLength(), 5);
}

TEST_F(CEditNField, TypingKeepsDigitsAndMinusFlipsTheSign) {
    edit->setFocus();
    EXPECT_TRUE(edit->text().isEmpty());  // a blank zero shows as nothing while typing
    QTest::keyClicks(edit, QStringLiteral("1x2a"));
    EXPECT_EQ(edit->text(), QStringLiteral("12"));
    QTest::keyClick(edit, Qt::Key_Minus);
    EXPECT_EQ(field->value(), -12);
    QTest::keyClick(edit, Qt::Key_Plus);  // "+" on a negative value flips it back
    EXPECT_EQ(field->value(), 12);
    other->setFocus();
    EXPECT_EQ(edit->text(), QStringLiteral("   12"));
    // 99999 has no room for the sign: "-" changes nothing.
    field->SetData(99999);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Minus);
    EXPECT_EQ(field->value(), 99999);
}

TEST_F(CEditNField, FocusShowsTheValueWithoutBlanksSelected) {
    field->SetData(7);
    edit->setFocus();
    EXPECT_EQ(edit->text(), QStringLiteral("7"));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("7"));
    other->setFocus();
    EXPECT_EQ(edit->text(), QStringLiteral("    7"));
}

TEST(CEditNWithoutPicture, SetDataBeforeSetFormatOnlyShowsAMessage) {
    ensureApplication();
    ScriptedDialogs dialogs;
    QLineEdit edit;
    gui::CEditN field(&edit);
    EXPECT_FALSE(field.SetData(5));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("SetFormat がされていません!!"));
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("CEditN::SetData"));
}
