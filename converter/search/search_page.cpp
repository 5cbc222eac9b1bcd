#include "search_page.h"

#include <optional>

#include "code_search_dialog.h"
#include "gui/conv_messages.h"
#include "gui/sjis_qt.h"
#include "office_search_dialog.h"
#include "search/core/search_choices.h"
#include "search_page_ids.h"
#include "text_search_dialog.h"
#include "ui_search_page.h"

namespace gui {

namespace cs = converter::search;

namespace {

// A code field's text as the code search's starting code: at most 19
// characters, taken only when it starts with a visible character.
std::optional<std::string> startingCode(const QLineEdit* field) {
    std::string text = toSjis(field->text().left(19));
    if (text.empty() || static_cast<unsigned char>(text[0]) <= 0x20) return std::nullopt;
    return text;
}

}  // namespace

SearchPage::SearchPage(ProgramContext& context, QWidget* parent)
    : TabPage(context, ids::search_page::kTemplate, 0, parent),
      ui_(std::make_unique<Ui::SearchPageForm>()) {
    ui_->setupUi(this);
    templateLoaded();
    // The prefecture of the last lookup, kept in the settings between runs.
    const int kept = context.options.KenNo;
    ui_->prefectureList->setCurrentIndex(kept > 0 && kept < ui_->prefectureList->count() ? kept
                                                                                         : 0);
    connect(ui_->searchButton, &QPushButton::clicked, this, &SearchPage::lookUp);
    connect(ui_->codeSearchButton, &QPushButton::clicked, this, &SearchPage::openCodeSearch);
    connect(ui_->textSearchButton, &QPushButton::clicked, this, &SearchPage::openTextSearch);
    connect(ui_->officeSearchButton, &QPushButton::clicked, this, &SearchPage::openOfficeSearch);
}

SearchPage::~SearchPage() = default;

void SearchPage::lookUp() {
    const int index = ui_->prefectureList->currentIndex();
    std::string address;
    if (index != -1 && index != 0) {
        context().options.KenNo = index;
        address = toSjis(ui_->prefectureList->itemText(index));
    } else {
        context().options.KenNo = 0;
    }
    address += toSjis(ui_->addressEdit->text());

    for (QLineEdit* field :
         {ui_->sevenDigitEdit, ui_->fiveDigitEdit, ui_->barcodeEdit, ui_->localCodeEdit}) {
        field->clear();
    }
    converter::AddressEngine& engine = context().engine;
    const converter::EngineAnswer answer = engine.lookup(address);
    if (answer.flags != 0) {
        ui_->sevenDigitEdit->setText(fromSjis(answer.code7));
        ui_->fiveDigitEdit->setText(fromSjis(answer.oldCode));
        ui_->barcodeEdit->setText(fromSjis(answer.addressNumber));
        ui_->localCodeEdit->setText(fromSjis(engine.jisCodeNow()));
        return;
    }
    if (reportFailure_) ShowConvMessage(this, 100);
    ui_->addressEdit->setFocus(Qt::OtherFocusReason);
}

void SearchPage::openCodeSearch() {
    std::optional<std::string> code = startingCode(ui_->sevenDigitEdit);
    if (!code) code = startingCode(ui_->fiveDigitEdit);
    CodeSearchDialog dialog(code, &pickedAddress_, this);
    if (dialog.exec() == QDialog::Accepted) takePickedAddress();
}

void SearchPage::openTextSearch() {
    pickedAddress_ = cs::limitBytes(toSjis(ui_->addressEdit->text()), cs::kAddressTextLimit);
    TextSearchDialog dialog(&pickedAddress_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    pickedAddress_ = cs::withoutBuildingExclusion(pickedAddress_);
    takePickedAddress();
}

void SearchPage::openOfficeSearch() {
    OfficeSearchDialog dialog(this);
    dialog.exec();
}

void SearchPage::takePickedAddress() {
    ui_->addressEdit->setText(fromSjis(pickedAddress_));
    ui_->addressEdit->setFocus(Qt::OtherFocusReason);
    ui_->prefectureList->setCurrentIndex(0);
    reportFailure_ = false;
    lookUp();
    reportFailure_ = true;
}

}  // namespace gui
