#include "text_page.h"

#include "ui_text_page.h"

namespace gui {
namespace {

const ConversionPageIds kIds{
    converter::SourceKind::Text,
    1041,
    1116,
    1105,
    1123,
    {1044, 1084, 1094, 1101},
    {1078, 1088, 1097, 1103},
    1110,
    1140,
    1145,
    0,
    0,
    0,
    0,
    0,
    1129,
    1133,
    "Text Files (*.txt; *.sdf; *.prn)|*.txt;*.sdf;*.prn|All Files (*.*)|*.*||"};

}  // namespace

TextPage::TextPage(ProgramContext& context, QWidget* parent)
    : ConversionPage(context, 133, 3, kIds, parent), ui_(std::make_unique<Ui::TextPageForm>()) {
    ui_->setupUi(this);
    wireControls();
}

TextPage::~TextPage() = default;

}  // namespace gui
