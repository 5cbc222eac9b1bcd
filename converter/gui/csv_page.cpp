#include "csv_page.h"

#include "ui_csv_page.h"

namespace gui {

CsvPage::CsvPage(ProgramContext& context, QWidget* parent)
    : TabPage(context, 106, 5, parent), ui_(std::make_unique<Ui::CsvPageForm>()) {
    ui_->setupUi(this);
    templateLoaded();
}

CsvPage::~CsvPage() = default;

}  // namespace gui
