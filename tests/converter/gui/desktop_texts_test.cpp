// What the desktop program says beyond its own pages: Qt's standard dialogs
// in Japanese, help without a program to show it, and the version dialog's
// dictionary line.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "gui/about_box.h"
#include "gui/about_box_ids.h"
#include "gui/font_setup.h"
#include "gui/help.h"
#include "gui/sjis_qt.h"
#include "gui/template_controls.h"
#include "gui_harness.h"
#include "keszip.h"

using namespace gui_testing;

namespace {

bool hasJapanese(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x3040 && c.unicode() <= 0x9fff) return true;
    return false;
}

}  // namespace

TEST(DesktopTexts, StandardDialogsSpeakJapanese) {
    ASSERT_TRUE(gui::installJapaneseTranslations()) << "qt6-translations-l10n is not installed";
    QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    for (auto button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
        EXPECT_TRUE(hasJapanese(box.button(button)->text()))
            << box.button(button)->text().toStdString();
    // The labels and buttons of the file dialogs.
    for (const char* source : {"Look in:", "&Open", "File &name:", "Files of type:"}) {
        const QString shown = QCoreApplication::translate("QFileDialog", source);
        EXPECT_TRUE(hasJapanese(shown)) << source << " shows " << shown.toStdString();
    }
}

TEST(DesktopTexts, HelpWithoutABrowserSaysSoAndWhereTheManualIs) {
    Program program;
    // No program on the path can show a web page.
    testing_support::TempDir empty;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(empty.path()));
    qunsetenv("BROWSER");
    program.window->commandAction(gui::kHelpCommand)->trigger();
    qputenv("PATH", path);
    ASSERT_EQ(program.dialogs.messages.size(), 1u);
    const QString text = program.dialogs.messages[0].text;
    const QString manual = gui::findManual(program.context.programDirectory);
    EXPECT_TRUE(text.contains(QStringLiteral("ヘルプを表示するプログラムが見つかりません")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(manual)) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("開くことができません")));
}

TEST(DesktopTexts, VersionDialogShowsTheDictionaryEditionAndDataDate) {
    Program program;
    const QString edition = gui::fromSjis(GetZe7DicVersion(1, 0));
    const QString dataDate = gui::fromSjis(GetZe7DicVersion(1, 1));
    if (edition.isEmpty()) GTEST_SKIP() << "no dictionary in this build";
    QString line;
    QTimer::singleShot(0, [&line] {
        auto* about = qobject_cast<gui::AboutBox*>(QApplication::activeModalWidget());
        ASSERT_NE(about, nullptr);
        line = gui::control<QLabel>(about, gui::ids::about_box::kDictionaryLabel)->text();
        QTest::mouseClick(gui::control<QPushButton>(about, gui::ids::about_box::kOkButton),
                          Qt::LeftButton);
    });
    program.window->commandAction(gui::kVersionCommand)->trigger();
    EXPECT_EQ(line, QStringLiteral("辞書の版　%1\nデータの日付　%2").arg(edition, dataDate));
}
