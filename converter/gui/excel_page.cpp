#include "excel_page.h"

#include "ui_excel_page.h"

namespace gui {

ExcelPage::ExcelPage(ProgramContext& context, QWidget* parent)
    : TabPage(context, 138, 6, parent), ui_(std::make_unique<Ui::ExcelPageForm>()) {
    ui_->setupUi(this);
    templateLoaded();
}

ExcelPage::~ExcelPage() = default;

}  // namespace gui
