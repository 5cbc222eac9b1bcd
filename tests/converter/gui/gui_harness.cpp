#include "gui_harness.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "gui/page_tab_control.h"
#include "gui/tab_page.h"

namespace gui_testing {

void ensureApplication() { ASSERT_NE(qApp, nullptr) << "the tests' main makes the application"; }

ScriptedDialogs::ScriptedDialogs() { gui::setUserDialogs(this); }

ScriptedDialogs::~ScriptedDialogs() { gui::setUserDialogs(nullptr); }

void ScriptedDialogs::message(QWidget* owner, const QString& text, const QString& caption,
                              gui::BoxIcon icon) {
    messages.push_back({text, caption, icon, owner, QApplication::focusWidget()});
}

bool ScriptedDialogs::question(QWidget* owner, const QString& text, const QString& caption) {
    Shown shown{text, caption, gui::BoxIcon::Question, owner, QApplication::focusWidget()};
    questions.push_back(shown);
    if (onQuestion) onQuestion(shown);
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return false;
    }
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedDialogs::openFileName(QWidget*, const QString&, const QString& filter) {
    filters << filter;
    if (fileNames.empty()) return {};
    QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

QString ScriptedDialogs::saveFileName(QWidget* owner, const QString& initial,
                                      const QString& filter) {
    return openFileName(owner, initial, filter);
}

Program::Program()
    : context{(ensureApplication(), engine),
              converter::SettingsStore(dir.file("zelko7.ini")),
              dir.path() + "/",
              {},
              {}} {
    engine.open();
    window = std::make_unique<gui::MainWindow>(context);
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

Program::~Program() {
    // Closing without the exit question.
    window.reset();
}

gui::TabPage* Program::goToPage(int templateId) {
    gui::PageTabControl* tabs = window->tabs();
    for (int i = 0; i < tabs->pageCount() && tabs->templateIdOf(tabs->currentIndex()) != templateId;
         ++i)
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window.get(),
                        Qt::Key_Tab, Qt::ControlModifier);
    gui::TabPage* page = tabs->currentPage();
    EXPECT_EQ(page->templateId(), templateId);
    return page;
}

QWidget* Program::control(int templateId, int id) const {
    QWidget* w = window->pageOfTemplate(templateId)->controlById(id);
    EXPECT_NE(w, nullptr) << "no control " << id << " on template " << templateId;
    return w;
}

void Program::type(int templateId, int id, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(control(templateId, id));
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    edit->clear();
    typeText(edit, text);
}

void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, c.toLatin1());
            continue;
        }
        // What an input method delivers: a key event that carries the character.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

void Program::click(int templateId, int id) {
    auto* button = qobject_cast<QAbstractButton*>(control(templateId, id));
    QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace gui_testing
