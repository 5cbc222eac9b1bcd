// Controls of a dialog template found by the ids the templates give them:
// every widget of a .ui template carries its id in the dynamic property
// "controlId" (-1 for labels and frames that nobody addresses).
#pragma once

#include <QWidget>

namespace gui {

inline constexpr const char* kControlIdProperty = "controlId";

int controlId(const QWidget* widget);
void setControlId(QWidget* widget, int id);
// The first descendant of `root` with the id, or nullptr.
QWidget* findControl(const QWidget* root, int id);

template <class W>
W* control(const QWidget* root, int id) {
    return qobject_cast<W*>(findControl(root, id));
}

// The descendant marked as the template's default push button, or nullptr.
QWidget* defaultButton(const QWidget* root);

}  // namespace gui
