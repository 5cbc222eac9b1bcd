// Message boxes and file dialogs of the desktop program, behind one small
// interface: the program uses the real Qt dialogs, tests put in their own
// answers. Every page and dialog goes through userDialogs().
#pragma once

#include <QString>

class QWidget;

namespace gui {

enum class BoxIcon { Information, Warning, Stop, Question };

class UserDialogs {
  public:
    virtual ~UserDialogs() = default;
    // A message with an OK button.
    virtual void message(QWidget* owner, const QString& text, const QString& caption,
                         BoxIcon icon) = 0;
    // A question with the question icon, Yes and No; true for Yes.
    virtual bool question(QWidget* owner, const QString& text, const QString& caption) = 0;
    // The chosen full path, or "" when the user cancelled. `filter` is in
    // Qt's form ("Text Files (*.txt *.prn);;All Files (*)").
    virtual QString openFileName(QWidget* owner, const QString& initial, const QString& filter) = 0;
    virtual QString saveFileName(QWidget* owner, const QString& initial, const QString& filter) = 0;
};

// Dialogs that show nothing, answer every question Yes and choose no file:
// for rendering screenshots and timing runs without a person.
class UnattendedDialogs final : public UserDialogs {
  public:
    void message(QWidget*, const QString&, const QString&, BoxIcon) override {}
    bool question(QWidget*, const QString&, const QString&) override { return true; }
    QString openFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&) override { return {}; }
};

// The dialogs in force: the Qt ones unless a test set its own.
UserDialogs& userDialogs();
// nullptr puts the Qt dialogs back. The caller keeps ownership.
void setUserDialogs(UserDialogs* dialogs);

// Shortcuts for the common boxes.
inline void warning(QWidget* owner, const QString& text, const QString& caption) {
    userDialogs().message(owner, text, caption, BoxIcon::Warning);
}
inline void information(QWidget* owner, const QString& text, const QString& caption) {
    userDialogs().message(owner, text, caption, BoxIcon::Information);
}
inline bool askYesNo(QWidget* owner, const QString& text, const QString& caption) {
    return userDialogs().question(owner, text, caption);
}

// A file-dialog filter written as "Name|patterns|Name|patterns||" (the
// form the pages keep) turned into Qt's form.
QString qtFileFilter(const QString& pipeFilter);

}  // namespace gui
