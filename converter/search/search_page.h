// The search page (template 130), the first page of the main window: one
// address typed and its codes shown, and the three further searches.
#pragma once

#include <memory>

#include "tab_page.h"

namespace Ui {
class SearchPageForm;
}

namespace gui {

class SearchPage : public TabPage {
    Q_OBJECT

  public:
    explicit SearchPage(ProgramContext& context, QWidget* parent = nullptr);
    ~SearchPage() override;

  private:
    std::unique_ptr<Ui::SearchPageForm> ui_;
};

}  // namespace gui
