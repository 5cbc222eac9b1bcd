// Shared by the search GUI tests: an offscreen application, message boxes
// that are recorded instead of shown, and a way to act inside a modal dialog.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

#include "gui/user_dialogs.h"

class QListWidget;
class QTimer;

namespace search_gui_test {

// The boxes a test has seen; questions are answered Yes.
class RecordedDialogs : public gui::UserDialogs {
  public:
    struct Box {
        QString text, caption;
        gui::BoxIcon icon;
    };
    RecordedDialogs() { gui::setUserDialogs(this); }
    ~RecordedDialogs() override { gui::setUserDialogs(nullptr); }

    void message(QWidget*, const QString& text, const QString& caption,
                 gui::BoxIcon icon) override {
        boxes.push_back({text, caption, icon});
    }
    bool question(QWidget*, const QString& text, const QString& caption) override {
        boxes.push_back({text, caption, gui::BoxIcon::Question});
        return true;
    }
    QString openFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&) override { return {}; }

    std::vector<Box> boxes;
};

// Ends every dialog still open (after a failed check), so that a test never hangs.
void closeModalDialogs();

// Presses Enter in a widget, as the keyboard does.
void pressEnter(QWidget* widget);
// Double-clicks row `row` of a list widget.
void doubleClickRow(QListWidget* list, int row);
// Selects row `row` of a list widget as a click does.
void selectRow(QListWidget* list, int row);
// The row whose text is `text`, -1 when none.
int rowOf(const QListWidget* list, const QString& text);

// The dictionaries beside the library are open; the hyphen mode is off.
bool openDictionaries();

// Calls `act` on the next modal dialog once it is up and its posted work
// has run; false from `act` fails the test and closes the dialog. The
// returned timer polls until then (delete it to give up waiting).
QTimer* scheduleModal(std::function<bool(QDialog*)> act);

// As above for a dialog of type D; `act` must end the dialog.
template <typename D>
QTimer* whenModal(std::function<void(D&)> act) {
    return scheduleModal([act](QDialog* dialog) {
        auto* typed = qobject_cast<D*>(dialog);
        if (!typed) return false;
        act(*typed);
        return true;
    });
}

}  // namespace search_gui_test
