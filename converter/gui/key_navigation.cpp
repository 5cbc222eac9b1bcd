#include "key_navigation.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QTabBar>
#include <algorithm>

#include "page_tab_control.h"
#include "tab_page.h"

namespace gui {
namespace {

bool isStop(const QWidget* w) {
    if (!(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled() || !w->isVisible()) return false;
    // The edit inside a combo or spin box belongs to its owner's stop.
    const QWidget* parent = w->parentWidget();
    return !(qobject_cast<const QComboBox*>(parent) ||
             qobject_cast<const QAbstractSpinBox*>(parent));
}

// A radio button stands for its group only when it is the checked one, or
// the first of a group where none is checked.
bool standsForGroup(const QRadioButton* radio, const std::vector<QWidget*>& candidates) {
    if (!radio->autoExclusive()) return true;
    bool anyChecked = false;
    const QRadioButton* first = nullptr;
    for (QWidget* w : candidates) {
        auto* other = qobject_cast<QRadioButton*>(w);
        if (!other || !other->autoExclusive() || other->parentWidget() != radio->parentWidget())
            continue;
        if (!first) first = other;
        anyChecked = anyChecked || other->isChecked();
    }
    return anyChecked ? radio->isChecked() : radio == first;
}

bool upDownStays(QWidget* focus) {
    for (QWidget* w = focus; w; w = w->parentWidget()) {
        if (qobject_cast<QAbstractItemView*>(w) || qobject_cast<QLabel*>(w)) return true;
        if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->view()->isVisible();
        if (w->isWindow()) break;
    }
    return false;
}

}  // namespace

KeyNavigator::KeyNavigator(QWidget* window, PageTabControl* tabs) : window_(window), tabs_(tabs) {
    qApp->installEventFilter(this);
}

KeyNavigator::~KeyNavigator() { qApp->removeEventFilter(this); }

std::vector<QWidget*> KeyNavigator::focusOrder() const {
    std::vector<QWidget*> order{tabs_->tabBar()};
    TabPage* page = tabs_->currentPage();
    if (!page) return order;
    std::vector<QWidget*> candidates;
    for (QWidget* w : page->findChildren<QWidget*>())
        if (isStop(w)) candidates.push_back(w);
    for (QWidget* w : candidates) {
        auto* radio = qobject_cast<QRadioButton*>(w);
        if (!radio || standsForGroup(radio, candidates)) order.push_back(w);
    }
    return order;
}

bool KeyNavigator::moveFocus(bool backwards) {
    const std::vector<QWidget*> order = focusOrder();
    QWidget* focus = QApplication::focusWidget();
    auto here = order.end();
    for (QWidget* w = focus; w && here == order.end(); w = w->parentWidget()) {
        here = std::find(order.begin(), order.end(), w);
        if (w->isWindow()) break;
    }
    // A radio button that does not stand for its group: find its group's stop.
    if (here == order.end() && qobject_cast<QRadioButton*>(focus)) {
        here = std::find_if(order.begin(), order.end(), [focus](QWidget* w) {
            return qobject_cast<QRadioButton*>(w) && w->parentWidget() == focus->parentWidget();
        });
    }
    const auto n = static_cast<std::ptrdiff_t>(order.size());
    std::ptrdiff_t i = here == order.end() ? (backwards ? 0 : -1) : here - order.begin();
    i = (i + (backwards ? n - 1 : 1)) % n;
    order[static_cast<std::size_t>(i)]->setFocus(backwards ? Qt::BacktabFocusReason
                                                           : Qt::TabFocusReason);
    return true;
}

bool KeyNavigator::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !window_) return false;
    auto* target = qobject_cast<QWidget*>(watched);
    if (!target || (target != window_ && !window_->isAncestorOf(target))) return false;
    // Each key press reaches the filter once per widget it is offered to;
    // act on the first delivery only, to the focus widget.
    if (target != QApplication::focusWidget() && QApplication::focusWidget()) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    const bool onTabRow = target == tabs_->tabBar() || target == tabs_;

    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
        const bool backwards = key->key() == Qt::Key_Backtab || (mods & Qt::ShiftModifier);
        if (mods & Qt::ControlModifier) {
            tabs_->selectNext(backwards);
            return true;
        }
        if (mods & ~Qt::ShiftModifier) return false;
        return moveFocus(backwards);
    }
    if (mods != Qt::NoModifier) return false;
    if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
        if (!onTabRow && upDownStays(target)) return false;
        return moveFocus(key->key() == Qt::Key_Up);
    }
    return false;
}

}  // namespace gui
