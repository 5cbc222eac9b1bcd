#include "code_search_dialog.h"

#include <QMetaObject>

#include "search_choices.h"
#include "search_list_widgets.h"
#include "sjis_qt.h"
#include "ui_search_code_dialog.h"

namespace gui {

namespace cs = converter::search;

CodeSearchDialog::CodeSearchDialog(std::optional<std::string> initialCode, std::string* result,
                                   QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CodeSearchDialogForm>()), result_(result) {
    ui_->setupUi(this);
    connect(ui_->button1073, &QPushButton::clicked, this, &CodeSearchDialog::search);
    connect(ui_->check1102, &QCheckBox::clicked, this, &CodeSearchDialog::search);
    connect(ui_->button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(new ListChoiceWatcher(ui_->list1083), &ListChoiceWatcher::chosen, this,
            &CodeSearchDialog::choose);

    if (initialCode) ui_->edit1077->setText(fromSjis(*initialCode));
    ui_->edit1077->setFocus(Qt::OtherFocusReason);
    // The search runs once the dialog is up, as if the button had been clicked.
    QMetaObject::invokeMethod(ui_->button1073, &QPushButton::click, Qt::QueuedConnection);
}

CodeSearchDialog::~CodeSearchDialog() = default;

void CodeSearchDialog::search() {
    const bool show5 = ui_->check1102->isChecked();
    const std::string code = toSjis(ui_->edit1077->text());
    showListing(ui_->list1083, ui_->label1087, cs::listCodeAddresses(code, show5));
}

void CodeSearchDialog::choose() {
    std::string line;
    if (!selectedLineBytes(ui_->list1083, line)) return;
    auto address = cs::chosenCodeAddress(line);
    if (!result_ || !address) return;
    *result_ = cs::limitBytes(*address, cs::kAddressTextLimit);
    done(QDialog::Accepted);
}

}  // namespace gui
