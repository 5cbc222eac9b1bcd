#include "page_tab_control.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTabBar>

#include "tab_page.h"

namespace gui {

PageTabControl::PageTabControl(QWidget* parent) : QTabWidget(parent) {
    // Clicks, wheel turns and keys on the tab row all go through selectPage,
    // so that a page that refuses to be left is asked before anything moves.
    tabBar()->installEventFilter(this);
    // Seven captions side by side in the template's width.
    tabBar()->setUsesScrollButtons(false);
    tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 4px; }"));
    tabBar()->setFocusPolicy(Qt::StrongFocus);
    setFocusPolicy(Qt::StrongFocus);
}

int PageTabControl::addPage(TabPage* page, int templateId, const QString& caption) {
    templateIds_.push_back(templateId);
    return addTab(page, caption);
}

TabPage* PageTabControl::page(int index) const { return qobject_cast<TabPage*>(widget(index)); }

TabPage* PageTabControl::currentPage() const { return page(currentIndex()); }

int PageTabControl::templateIdOf(int index) const {
    return index >= 0 && index < static_cast<int>(templateIds_.size()) ? templateIds_[index] : 0;
}

bool PageTabControl::selectPage(int index, bool user) {
    if (index == currentIndex()) return true;
    if (index < 0 || index >= count() || selecting_) return false;
    selecting_ = true;
    TabPage* current = currentPage();
    if (user && current && current->CanLeave() != 0) {
        selecting_ = false;
        return false;
    }
    setCurrentIndex(index);
    if (user) {
        tabBar()->setFocus(Qt::TabFocusReason);
        if (TabPage* shown = currentPage()) shown->activated();
    }
    selecting_ = false;
    return true;
}

bool PageTabControl::selectNext(bool backwards) {
    if (count() == 0) return false;
    const int step = backwards ? count() - 1 : 1;
    return selectPage((currentIndex() + step) % count(), true);
}

bool PageTabControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tabBar()) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick: {
                auto* mouse = static_cast<QMouseEvent*>(event);
                if (mouse->button() != Qt::LeftButton) return true;
                const int index = tabBar()->tabAt(mouse->position().toPoint());
                if (index >= 0) selectPage(index, true);
                return true;
            }
            case QEvent::Wheel:
                return true;
            case QEvent::KeyPress: {
                auto* key = static_cast<QKeyEvent*>(event);
                if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) break;
                if (key->key() == Qt::Key_Right) {
                    selectNext(false);
                    return true;
                }
                if (key->key() == Qt::Key_Left) {
                    selectNext(true);
                    return true;
                }
                if (key->key() == Qt::Key_Home || key->key() == Qt::Key_End) return true;
                break;
            }
            default:
                break;
        }
    }
    return QTabWidget::eventFilter(watched, event);
}

void PageTabControl::keyPressEvent(QKeyEvent* event) {
    // Ctrl+Tab handling lives in the main window's key navigation.
    event->ignore();
}

}  // namespace gui
