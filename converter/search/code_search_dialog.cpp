#include "code_search_dialog.h"

#include <QMetaObject>

#include "gui/sjis_qt.h"
#include "search/core/search_choices.h"
#include "search_list_widgets.h"
#include "ui_search_code_dialog.h"

namespace gui {

namespace cs = converter::search;

CodeSearchDialog::CodeSearchDialog(std::optional<std::string> initialCode, std::string* result,
                                   QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CodeSearchDialogForm>()), result_(result) {
    ui_->setupUi(this);
    connect(ui_->searchButton, &QPushButton::clicked, this, &CodeSearchDialog::search);
    connect(ui_->fiveDigitCheck, &QCheckBox::clicked, this, &CodeSearchDialog::search);
    connect(ui_->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(new ListChoiceWatcher(ui_->resultList), &ListChoiceWatcher::chosen, this,
            &CodeSearchDialog::choose);

    if (initialCode) ui_->codeEdit->setText(fromSjis(*initialCode));
    ui_->codeEdit->setFocus(Qt::OtherFocusReason);
    // The search runs once the dialog is up, as if the button had been clicked.
    QMetaObject::invokeMethod(ui_->searchButton, &QPushButton::click, Qt::QueuedConnection);
}

CodeSearchDialog::~CodeSearchDialog() = default;

void CodeSearchDialog::search() {
    const bool show5 = ui_->fiveDigitCheck->isChecked();
    const std::string code = toSjis(ui_->codeEdit->text());
    showListing(ui_->resultList, ui_->resultLabel, cs::listCodeAddresses(code, show5));
}

void CodeSearchDialog::choose() {
    std::string line;
    if (!selectedLineBytes(ui_->resultList, line)) return;
    auto address = cs::chosenCodeAddress(line);
    if (!result_ || !address) return;
    *result_ = cs::limitBytes(*address, cs::kAddressTextLimit);
    done(QDialog::Accepted);
}

}  // namespace gui
