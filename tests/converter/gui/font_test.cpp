// Every text the templates and messages show has real glyphs in the font
// the program draws with, and that font keeps half-width characters at
// half the width of full-width ones.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTabBar>

#include "conversion/messages.h"
#include "gui/about_box.h"
#include "gui/font_setup.h"
#include "gui/main_window.h"
#include "gui/page_tab_control.h"
#include "gui/range_dialog.h"
#include "gui/sjis_qt.h"
#include "gui_harness.h"

using namespace gui_testing;

namespace {

// Every text shown by `root` and its descendants, with the font it is drawn in.
void collectTexts(QWidget* root, std::vector<std::pair<QFont, QString>>& out) {
    std::vector<QWidget*> widgets{root};
    for (QWidget* w : root->findChildren<QWidget*>()) widgets.push_back(w);
    for (QWidget* w : widgets) {
        out.emplace_back(w->font(), w->windowTitle());
        if (auto* label = qobject_cast<QLabel*>(w)) out.emplace_back(w->font(), label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            out.emplace_back(w->font(), button->text());
        if (auto* group = qobject_cast<QGroupBox*>(w)) out.emplace_back(w->font(), group->title());
        if (auto* edit = qobject_cast<QLineEdit*>(w)) out.emplace_back(w->font(), edit->text());
        if (auto* combo = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i)
                out.emplace_back(w->font(), combo->itemText(i));
        if (auto* tabs = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < tabs->count(); ++i) out.emplace_back(w->font(), tabs->tabText(i));
        if (auto* menu = qobject_cast<QMenuBar*>(w))
            for (QAction* a : menu->actions()) out.emplace_back(w->font(), a->text());
    }
}

}  // namespace

TEST(Fonts, TheTemplateFontIsTheGothicOrItsMonospacedStandIn) {
    ensureApplication();
    const QString family = gui::resolvedTemplateFamily();
    if (!QFontDatabase::families().contains(QString::fromUtf8(gui::kTemplateFontFamily))) {
        EXPECT_EQ(family, QString::fromUtf8(gui::kFallbackFontFamily));
    }
    QFontMetrics metrics(QFont(QString::fromUtf8(gui::kTemplateFontFamily), 9));
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("ｱ")) * 2,
              metrics.horizontalAdvance(QStringLiteral("ア")));
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("A")) * 2,
              metrics.horizontalAdvance(QStringLiteral("漢")));
}

TEST(Fonts, EveryTextOfEveryTemplateAndMessageHasItsGlyphs) {
    Program program;
    std::vector<std::pair<QFont, QString>> texts;
    collectTexts(program.window.get(), texts);
    gui::AboutBox about;
    collectTexts(&about, texts);
    converter::ConversionJob job;
    gui::RangeDialog range(job);
    collectTexts(&range, texts);
    const QFont font = program.window->font();
    for (int kind = 0; kind <= 7; ++kind) {
        texts.emplace_back(font, gui::hintLine1(kind));
        texts.emplace_back(font, gui::hintLine2(kind));
    }
    for (int code = 1; code <= 802; ++code) {
        if (!converter::isKnownMessage(code)) continue;
        texts.emplace_back(font, gui::fromSjis(converter::messageText(code)));
        texts.emplace_back(font, gui::fromSjis(converter::messageCaption(code)));
    }
    int checked = 0;
    for (const auto& [f, text] : texts) {
        if (text.isEmpty()) continue;
        ++checked;
        EXPECT_EQ(gui::missingGlyphs(f, text), QString()) << text.toStdString();
    }
    EXPECT_GT(checked, 300);
}
