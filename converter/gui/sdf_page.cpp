#include "sdf_page.h"

#include "ui_sdf_page.h"

namespace gui {

SdfPage::SdfPage(ProgramContext& context, QWidget* parent)
    : TabPage(context, 107, 4, parent), ui_(std::make_unique<Ui::SdfPageForm>()) {
    ui_->setupUi(this);
    templateLoaded();
}

SdfPage::~SdfPage() = default;

}  // namespace gui
