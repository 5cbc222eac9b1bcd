#include "sdf_page.h"

#include "sdf_page_ids.h"
#include "ui_sdf_page.h"

namespace gui {
namespace {

using namespace ids::sdf_page;

const ConversionPageIds kIds{
    .kind = converter::SourceKind::Sdf,
    .source = kSourceEdit,
    .sourceBrowse = kBrowseSourceButton,
    .destination = kDestinationEdit,
    .destinationBrowse = kBrowseDestinationButton,
    .starts = {kAddress1StartEdit, kAddress2StartEdit, kAddress3StartEdit, kAddress4StartEdit},
    .sizes = {kAddress1SizeEdit, kAddress2SizeEdit, kAddress3SizeEdit, kAddress4SizeEdit},
    .insert = kInsertEdit,
    .markerCheck = 0,
    .marker = 0,
    .lineBreaks = kLineBreaksRadio,
    .fixedLength = kFixedLengthRadio,
    .recordLength = kRecordLengthEdit,
    .quoted = 0,
    .unquoted = 0,
    .runAll = kRunAllButton,
    .runPart = kRunPartButton,
    .filter = "Text Files (*.txt; *.sdf; *.prn)|*.txt;*.sdf;*.prn|All Files (*.*)|*.*||"};

}  // namespace

SdfPage::SdfPage(ProgramContext& context, QWidget* parent)
    : ConversionPage(context, kTemplate, 4, kIds, parent),
      ui_(std::make_unique<Ui::SdfPageForm>()) {
    ui_->setupUi(this);
    wireControls();
}

SdfPage::~SdfPage() = default;

}  // namespace gui
