#include "csv_page.h"

#include "ui_csv_page.h"

namespace gui {
namespace {

const ConversionPageIds kIds{converter::SourceKind::Csv,
                             1049,
                             1055,
                             1043,
                             1046,
                             {1058, 1033, 1063, 1069},
                             {0, 0, 0, 0},
                             0,
                             1140,
                             1145,
                             0,
                             0,
                             0,
                             1081,
                             1085,
                             1072,
                             1075,
                             "Csv Files (*.csv;*.k3)|*.csv; *.k3|All Files (*.*)|*.*||"};

}  // namespace

CsvPage::CsvPage(ProgramContext& context, QWidget* parent)
    : ConversionPage(context, 106, 5, kIds, parent), ui_(std::make_unique<Ui::CsvPageForm>()) {
    ui_->setupUi(this);
    wireControls();
}

CsvPage::~CsvPage() = default;

}  // namespace gui
