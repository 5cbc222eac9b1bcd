#include "text_page.h"

#include "ui_text_page.h"

namespace gui {

TextPage::TextPage(ProgramContext& context, QWidget* parent)
    : TabPage(context, 133, 3, parent), ui_(std::make_unique<Ui::TextPageForm>()) {
    ui_->setupUi(this);
    templateLoaded();
}

TextPage::~TextPage() = default;

}  // namespace gui
