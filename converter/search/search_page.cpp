#include "search_page.h"

#include "ui_search_page.h"

namespace gui {

SearchPage::SearchPage(ProgramContext& context, QWidget* parent)
    : TabPage(context, 130, 0, parent), ui_(std::make_unique<Ui::SearchPageForm>()) {
    ui_->setupUi(this);
    templateLoaded();
}

SearchPage::~SearchPage() = default;

}  // namespace gui
