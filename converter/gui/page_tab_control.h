// PageTabControl: the main window's tab control. It owns the pages, asks
// the current page's CanLeave before the user takes another page, and keeps
// the tab row and the shown page in step.
#pragma once

#include <QTabWidget>
#include <vector>

namespace gui {

class TabPage;

class PageTabControl : public QTabWidget {
    Q_OBJECT

  public:
    static constexpr int kNoPage = 65535;

    explicit PageTabControl(QWidget* parent = nullptr);

    // Appends the page at the end of the tab row; returns its index.
    int addPage(TabPage* page, int templateId, const QString& caption);
    int pageCount() const { return count(); }
    TabPage* page(int index) const;
    TabPage* currentPage() const;
    int templateIdOf(int index) const;

    // Selects page `index`. With `user` set the current page is asked first
    // (CanLeave) and may refuse; the focus then goes to the tab row.
    // Returns true when page `index` is current afterwards.
    bool selectPage(int index, bool user);
    // Ctrl+Tab and Ctrl+Shift+Tab: the next or previous page, wrapping.
    bool selectNext(bool backwards);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::vector<int> templateIds_;
    bool selecting_ = false;
};

}  // namespace gui
