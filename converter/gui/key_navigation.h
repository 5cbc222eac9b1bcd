// Keyboard navigation of the main window and its pages: Up and Down act as
// Shift+Tab and Tab (not in lists, statics or a dropped-down combo box), Tab
// goes round the tab row and the current page's controls with each radio
// group as one stop, Ctrl+Tab and Ctrl+Shift+Tab change pages with wrapping.
#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

class QWidget;

namespace gui {

class PageTabControl;

class KeyNavigator : public QObject {
    Q_OBJECT

  public:
    // Watches the key presses of `window` and its descendants.
    KeyNavigator(QWidget* window, PageTabControl* tabs);
    ~KeyNavigator() override;

    // The Tab order: the tab row, then the current page's stops.
    std::vector<QWidget*> focusOrder() const;
    // Moves the focus one stop on; true when it moved.
    bool moveFocus(bool backwards);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QWidget> window_;
    PageTabControl* tabs_;
};

}  // namespace gui
