#include "sdf_page.h"

#include "ui_sdf_page.h"

namespace gui {
namespace {

const ConversionPageIds kIds{
    converter::SourceKind::Sdf,
    1022,
    1026,
    1029,
    1032,
    {1038, 1054, 1062, 1071},
    {1040, 1057, 1068, 1074},
    1048,
    0,
    0,
    1111,
    1117,
    1080,
    0,
    0,
    1090,
    4,
    "Text Files (*.txt; *.sdf; *.prn)|*.txt;*.sdf;*.prn|All Files (*.*)|*.*||"};

}  // namespace

SdfPage::SdfPage(ProgramContext& context, QWidget* parent)
    : ConversionPage(context, 107, 4, kIds, parent), ui_(std::make_unique<Ui::SdfPageForm>()) {
    ui_->setupUi(this);
    wireControls();
}

SdfPage::~SdfPage() = default;

}  // namespace gui
