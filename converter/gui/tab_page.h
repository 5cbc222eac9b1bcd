// TabPage: the base of every page of the main window's tab control.
//
// Adding a page:
//  1. Write its template as converter/resources/<name>.ui: a QWidget form of
//     532 x 357 pixels (355 x 238 dialog units) whose widgets have role names
//     (sourceEdit, browseSourceButton) and carry their ids in the dynamic
//     property "controlId"; mark the default push button with the dynamic
//     property "isDefault". Name the ids once in <name>_ids.h (namespace
//     gui::ids::<name>: kTemplate and one constant per control, kSourceEdit).
//  2. Derive a class from TabPage, construct it with the template id and its
//     hint kind, call `ui_.setupUi(this)` and then `templateLoaded()`, and find
//     controls with `control<QLineEdit>(kSourceEdit)`.
//  3. Override `CanLeave` (non-zero keeps the user on the page) and `fill`
//     (refill the controls from `context().options` and `context().params`;
//     called whenever the page is shown or hidden).
//  4. Create it in MainWindow's constructor with `tabs_->addPage(...)` in the
//     tab order.
// Enter activates the default button, Escape does nothing; the keyboard
// navigation of the main window (Up/Down as Tab, radio groups as one stop,
// Ctrl+Tab between pages) covers every page without more code.
#pragma once

#include <QWidget>

#include "program_context.h"
#include "template_controls.h"

namespace gui {

class TabPage : public QWidget {
    Q_OBJECT

  public:
    TabPage(ProgramContext& context, int templateId, int hintKind, QWidget* parent = nullptr);

    int templateId() const { return templateId_; }
    int hintKind() const { return hintKind_; }
    ProgramContext& context() { return context_; }

    // 0: the page may be left; non-zero: stay.
    virtual int CanLeave() { return 0; }
    // Refills the controls from the in-memory settings.
    virtual void fill() {}
    // The user brought the page to the front.
    virtual void activated() {}

    QWidget* controlById(int id) const { return findControl(this, id); }
    template <class W>
    W* control(int id) const {
        return gui::control<W>(this, id);
    }
    // Focus on a control, its text selected when it is an edit.
    void focusControl(int id);

  signals:
    // ShowHint: the page asks the main window for its two hint lines.
    void hintRequested(int kind);

  protected:
    // Called by derived pages once their template is set up.
    void templateLoaded();
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    ProgramContext& context_;
    int templateId_;
    int hintKind_;
};

}  // namespace gui
