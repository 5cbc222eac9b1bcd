#include "text_search_dialog.h"

#include "gui/conv_messages.h"
#include "gui/sjis_qt.h"
#include "search/core/search_choices.h"
#include "search_list_widgets.h"
#include "ui_search_text_dialog.h"

namespace gui {

namespace cs = converter::search;

TextSearchDialog::TextSearchDialog(std::string* result, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TextSearchDialogForm>()), result_(result) {
    ui_->setupUi(this);
    connect(ui_->textEdit, &QLineEdit::textChanged, this, &TextSearchDialog::search);
    connect(ui_->chooseButton, &QPushButton::clicked, this, &TextSearchDialog::confirm);
    connect(ui_->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(new ListChoiceWatcher(ui_->resultList), &ListChoiceWatcher::chosen, this,
            &TextSearchDialog::pick);

    // Setting the text starts the first search.
    const bool given = result_ && !result_->empty();
    ui_->textEdit->setText(given ? fromSjis(*result_) : QStringLiteral("*"));
    ui_->textEdit->setFocus(Qt::OtherFocusReason);
}

TextSearchDialog::~TextSearchDialog() = default;

void TextSearchDialog::search() {
    auto listing = cs::listMatchingPlaces(toSjis(ui_->textEdit->text()));
    listIsPartial_ = listing.listIsPartial;
    showListing(ui_->resultList, ui_->resultLabel, listing);
}

void TextSearchDialog::pick() {
    std::string line;
    if (!selectedLineBytes(ui_->resultList, line)) return;
    const QString text = fromSjis(cs::pickedSearchText(line, listIsPartial_));
    // The search follows the change of the text; an unchanged text is searched again too.
    if (ui_->textEdit->text() == text) {
        search();
    } else {
        ui_->textEdit->setText(text);
    }
}

void TextSearchDialog::confirm() {
    const std::string typed = cs::limitBytes(toSjis(ui_->textEdit->text()), cs::kAddressTextLimit);
    auto text = cs::confirmedSearchText(typed);
    if (!text) {
        ShowConvMessage(this, 101);
        return;
    }
    if (!result_) return;
    *result_ = *text;
    done(QDialog::Accepted);
}

}  // namespace gui
