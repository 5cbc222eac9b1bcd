#include "access_page.h"

#include "ui_access_page.h"

namespace gui {

AccessPage::AccessPage(ProgramContext& context, QWidget* parent)
    : TabPage(context, 134, 2, parent), ui_(std::make_unique<Ui::AccessPageForm>()) {
    ui_->setupUi(this);
    templateLoaded();
}

AccessPage::~AccessPage() = default;

}  // namespace gui
