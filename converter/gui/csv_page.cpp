#include "csv_page.h"

#include "csv_page_ids.h"
#include "ui_csv_page.h"

namespace gui {
namespace {

using namespace ids::csv_page;

const ConversionPageIds kIds{.kind = converter::SourceKind::Csv,
                             .source = kSourceEdit,
                             .sourceBrowse = kBrowseSourceButton,
                             .destination = kDestinationEdit,
                             .destinationBrowse = kBrowseDestinationButton,
                             .starts = {kField1Edit, kField2Edit, kField3Edit, kField4Edit},
                             .sizes = {0, 0, 0, 0},
                             .insert = 0,
                             .markerCheck = kMarkerCheck,
                             .marker = kMarkerEdit,
                             .lineBreaks = 0,
                             .fixedLength = 0,
                             .recordLength = 0,
                             .quoted = kQuotedRadio,
                             .unquoted = kUnquotedRadio,
                             .runAll = kRunAllButton,
                             .runPart = kRunPartButton,
                             .filter = "Csv Files (*.csv;*.k3)|*.csv; *.k3|All Files (*.*)|*.*||"};

}  // namespace

CsvPage::CsvPage(ProgramContext& context, QWidget* parent)
    : ConversionPage(context, kTemplate, 5, kIds, parent),
      ui_(std::make_unique<Ui::CsvPageForm>()) {
    ui_->setupUi(this);
    wireControls();
}

CsvPage::~CsvPage() = default;

}  // namespace gui
