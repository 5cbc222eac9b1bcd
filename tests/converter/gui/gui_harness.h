// The desktop program under test: a QApplication on the offscreen platform,
// dialogs that record what they show and answer from a script, and the main
// window over a settings file in a fresh folder and the real dictionaries.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "conversion/address_engine.h"
#include "gui/main_window.h"
#include "gui/program_context.h"
#include "gui/user_dialogs.h"
#include "support/test_support.h"

class QWidget;

namespace gui_testing {

// The application object exists (the tests' main creates it).
void ensureApplication();

struct Shown {
    QString text;
    QString caption;
    gui::BoxIcon icon;
    QWidget* owner;
    QWidget* focusAtTheTime;
};

class ScriptedDialogs final : public gui::UserDialogs {
  public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    void message(QWidget* owner, const QString& text, const QString& caption,
                 gui::BoxIcon icon) override;
    bool question(QWidget* owner, const QString& text, const QString& caption) override;
    QString openFileName(QWidget* owner, const QString& initial, const QString& filter) override;
    QString saveFileName(QWidget* owner, const QString& initial, const QString& filter) override;

    // Answers for the next questions, in order; an unexpected question fails the test.
    std::deque<bool> answers;
    std::deque<QString> fileNames;
    std::vector<Shown> messages;
    std::vector<Shown> questions;
    QStringList filters;
    // Called for every question before it is answered.
    std::function<void(const Shown&)> onQuestion;
};

// The engine of the process with its open() scripted.
class EngineThatFailsToOpen final : public converter::AddressEngine {
  public:
    bool open() override { return false; }
    int hyphenMode() override { return 0; }
    void setHyphenMode(int) override {}
    converter::EngineAnswer lookup(const std::string&) override { return {}; }
    std::string jisCodeNow() override { return {}; }
};

// Types `text` into `widget` key by key (non-ASCII characters as an input
// method delivers them).
void typeText(QWidget* widget, const QString& text);

class Program {
  public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    testing_support::TempDir dir;
    ScriptedDialogs dialogs;
    converter::KesZipEngine engine;
    gui::ProgramContext context;
    std::unique_ptr<gui::MainWindow> window;

    std::string settingsPath() const { return dir.file("zelko7.ini"); }
    // Shows the page of `templateId` as a user would (Ctrl+Tab until it is current).
    gui::TabPage* goToPage(int templateId);
    QWidget* control(int templateId, int id) const;
    // Replaces the text of an edit by typing.
    void type(int templateId, int id, const QString& text);
    void click(int templateId, int id);
};

}  // namespace gui_testing
