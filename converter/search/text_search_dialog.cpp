#include "text_search_dialog.h"

#include "conv_messages.h"
#include "search_choices.h"
#include "search_list_widgets.h"
#include "sjis_qt.h"
#include "ui_search_text_dialog.h"

namespace gui {

namespace cs = converter::search;

TextSearchDialog::TextSearchDialog(std::string* result, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TextSearchDialogForm>()), result_(result) {
    ui_->setupUi(this);
    connect(ui_->edit1093, &QLineEdit::textChanged, this, &TextSearchDialog::search);
    connect(ui_->button1126, &QPushButton::clicked, this, &TextSearchDialog::confirm);
    connect(ui_->button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(new ListChoiceWatcher(ui_->list1096), &ListChoiceWatcher::chosen, this,
            &TextSearchDialog::pick);

    // Setting the text starts the first search.
    const bool given = result_ && !result_->empty();
    ui_->edit1093->setText(given ? fromSjis(*result_) : QStringLiteral("*"));
    ui_->edit1093->setFocus(Qt::OtherFocusReason);
}

TextSearchDialog::~TextSearchDialog() = default;

void TextSearchDialog::search() {
    auto listing = cs::listMatchingPlaces(toSjis(ui_->edit1093->text()));
    listIsPartial_ = listing.listIsPartial;
    showListing(ui_->list1096, ui_->label1100, listing);
}

void TextSearchDialog::pick() {
    std::string line;
    if (!selectedLineBytes(ui_->list1096, line)) return;
    const QString text = fromSjis(cs::pickedSearchText(line, listIsPartial_));
    // The search follows the change of the text; an unchanged text is searched again too.
    if (ui_->edit1093->text() == text) {
        search();
    } else {
        ui_->edit1093->setText(text);
    }
}

void TextSearchDialog::confirm() {
    const std::string typed = cs::limitBytes(toSjis(ui_->edit1093->text()), cs::kAddressTextLimit);
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
