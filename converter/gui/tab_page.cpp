#include "tab_page.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>

#include "ceditn.h"

namespace gui {

TabPage::TabPage(ProgramContext& context, int templateId, int hintKind, QWidget* parent)
    : QWidget(parent), context_(context), templateId_(templateId), hintKind_(hintKind) {}

void TabPage::templateLoaded() {
    // A page is a child of the tab control, never a window of its own.
    setWindowFlags(Qt::Widget);
    attachNumericFields(this);
    fill();
}

void TabPage::focusControl(int id) {
    QWidget* w = controlById(id);
    if (!w) return;
    w->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->selectAll();
}

void TabPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    fill();
    emit hintRequested(hintKind_);
}

void TabPage::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    fill();
}

void TabPage::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            // A focused push button takes Enter itself; anywhere else the
            // page's default button does.
            auto* focused = qobject_cast<QAbstractButton*>(focusWidget());
            if (focused && focused->inherits("QPushButton")) {
                focused->click();
            } else if (auto* button = qobject_cast<QAbstractButton*>(defaultButton(this))) {
                if (button->isEnabled()) button->click();
            }
            event->accept();
            return;
        }
        case Qt::Key_Escape:
            event->accept();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace gui
