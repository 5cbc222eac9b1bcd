#include "options_page.h"

#include "ui_options_page.h"

namespace gui {

OptionsPage::OptionsPage(ProgramContext& context, QWidget* parent)
    : TabPage(context, 103, 7, parent), ui_(std::make_unique<Ui::OptionsPageForm>()) {
    ui_->setupUi(this);
    templateLoaded();
}

OptionsPage::~OptionsPage() = default;

}  // namespace gui
