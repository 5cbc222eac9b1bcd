#include "text_page.h"

#include "text_page_ids.h"
#include "ui_text_page.h"

namespace gui {
namespace {

using namespace ids::text_page;

const ConversionPageIds kIds{
    .kind = converter::SourceKind::Text,
    .source = kSourceEdit,
    .sourceBrowse = kBrowseSourceButton,
    .destination = kDestinationEdit,
    .destinationBrowse = kBrowseDestinationButton,
    .starts = {kAddress1StartEdit, kAddress2StartEdit, kAddress3StartEdit, kAddress4StartEdit},
    .sizes = {kAddress1SizeEdit, kAddress2SizeEdit, kAddress3SizeEdit, kAddress4SizeEdit},
    .insert = kInsertEdit,
    .markerCheck = kMarkerCheck,
    .marker = kMarkerEdit,
    .lineBreaks = 0,
    .fixedLength = 0,
    .recordLength = 0,
    .quoted = 0,
    .unquoted = 0,
    .runAll = kRunAllButton,
    .runPart = kRunPartButton,
    .filter = "Text Files (*.txt; *.sdf; *.prn)|*.txt;*.sdf;*.prn|All Files (*.*)|*.*||"};

}  // namespace

TextPage::TextPage(ProgramContext& context, QWidget* parent)
    : ConversionPage(context, kTemplate, 3, kIds, parent),
      ui_(std::make_unique<Ui::TextPageForm>()) {
    ui_->setupUi(this);
    wireControls();
}

TextPage::~TextPage() = default;

}  // namespace gui
