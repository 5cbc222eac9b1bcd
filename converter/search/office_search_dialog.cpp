#include "office_search_dialog.h"

#include "office_hit_delegate.h"
#include "office_hit_split.h"
#include "office_info_dialog.h"
#include "search_list_lines.h"
#include "search_list_widgets.h"
#include "search_place_lists.h"
#include "sjis_qt.h"
#include "ui_search_office_dialog.h"

namespace gui {

namespace cs = converter::search;

OfficeSearchDialog::OfficeSearchDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::OfficeSearchDialogForm>()) {
    ui_->setupUi(this);
    for (const std::string& choice : cs::officeAddressChoices()) {
        ui_->combo1141->addItem(fromSjis(choice));
    }
    ui_->list1151->setItemDelegate(new OfficeHitDelegate(ui_->list1151));

    connect(ui_->radio1154, &QRadioButton::toggled, this, &OfficeSearchDialog::enableFields);
    connect(ui_->button1164, &QPushButton::clicked, this, &OfficeSearchDialog::search);
    connect(ui_->button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(new ListChoiceWatcher(ui_->list1151), &ListChoiceWatcher::chosen, this,
            &OfficeSearchDialog::showDetails);

    ui_->radio1154->setChecked(true);
    ui_->combo1163->setCurrentIndex(0);
    ui_->combo1141->setCurrentIndex(0);
    enableFields();
}

OfficeSearchDialog::~OfficeSearchDialog() = default;

void OfficeSearchDialog::enableFields() {
    const bool byCode = ui_->radio1154->isChecked();
    ui_->edit1159->setEnabled(byCode);
    ui_->edit1161->setEnabled(!byCode);
    ui_->combo1163->setEnabled(!byCode);
    ui_->combo1141->setEnabled(!byCode);
}

void OfficeSearchDialog::search() {
    cs::Listing listing;
    if (ui_->radio1154->isChecked()) {
        listing = cs::listOfficesByCode(toSjis(ui_->edit1159->text()));
    } else {
        listing = cs::listOfficesByName(toSjis(ui_->edit1161->text()),
                                        toSjis(ui_->combo1141->currentText()),
                                        ui_->combo1163->currentIndex());
    }
    showListing(ui_->list1151, ui_->label1050, listing);
}

void OfficeSearchDialog::showDetails() {
    std::string line;
    if (!selectedLineBytes(ui_->list1151, line) || line == cs::notFoundLine()) return;
    const cs::OfficeHitParts parts = cs::splitOfficeHit(line);
    OfficeInfoDialog details(parts.code, parts.name, parts.address, this);
    details.exec();
}

}  // namespace gui
