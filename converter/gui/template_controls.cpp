#include "template_controls.h"

#include <QVariant>

namespace gui {

int controlId(const QWidget* widget) {
    const QVariant id = widget->property(kControlIdProperty);
    return id.isValid() ? id.toInt() : -1;
}

void setControlId(QWidget* widget, int id) { widget->setProperty(kControlIdProperty, id); }

QWidget* findControl(const QWidget* root, int id) {
    const auto widgets = root->findChildren<QWidget*>();
    for (QWidget* w : widgets)
        if (controlId(w) == id) return w;
    return nullptr;
}

QWidget* defaultButton(const QWidget* root) {
    const auto widgets = root->findChildren<QWidget*>();
    for (QWidget* w : widgets)
        if (w->property("isDefault").toBool()) return w;
    return nullptr;
}

}  // namespace gui
