#include "office_search_dialog.h"

#include "gui/sjis_qt.h"
#include "office_hit_delegate.h"
#include "office_info_dialog.h"
#include "search/core/office_hit_split.h"
#include "search/core/search_list_lines.h"
#include "search/core/search_place_lists.h"
#include "search_list_widgets.h"
#include "ui_search_office_dialog.h"

namespace gui {

namespace cs = converter::search;

OfficeSearchDialog::OfficeSearchDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::OfficeSearchDialogForm>()) {
    ui_->setupUi(this);
    for (const std::string& choice : cs::officeAddressChoices()) {
        ui_->cityList->addItem(fromSjis(choice));
    }
    ui_->resultList->setItemDelegate(new OfficeHitDelegate(ui_->resultList));

    connect(ui_->byCodeRadio, &QRadioButton::toggled, this, &OfficeSearchDialog::enableFields);
    connect(ui_->searchButton, &QPushButton::clicked, this, &OfficeSearchDialog::search);
    connect(ui_->closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(new ListChoiceWatcher(ui_->resultList), &ListChoiceWatcher::chosen, this,
            &OfficeSearchDialog::showDetails);

    ui_->byCodeRadio->setChecked(true);
    ui_->matchList->setCurrentIndex(0);
    ui_->cityList->setCurrentIndex(0);
    enableFields();
}

OfficeSearchDialog::~OfficeSearchDialog() = default;

void OfficeSearchDialog::enableFields() {
    const bool byCode = ui_->byCodeRadio->isChecked();
    ui_->codeEdit->setEnabled(byCode);
    ui_->nameEdit->setEnabled(!byCode);
    ui_->matchList->setEnabled(!byCode);
    ui_->cityList->setEnabled(!byCode);
}

void OfficeSearchDialog::search() {
    cs::Listing listing;
    if (ui_->byCodeRadio->isChecked()) {
        listing = cs::listOfficesByCode(toSjis(ui_->codeEdit->text()));
    } else {
        listing = cs::listOfficesByName(toSjis(ui_->nameEdit->text()),
                                        toSjis(ui_->cityList->currentText()),
                                        ui_->matchList->currentIndex());
    }
    showListing(ui_->resultList, ui_->resultLabel, listing);
}

void OfficeSearchDialog::showDetails() {
    std::string line;
    if (!selectedLineBytes(ui_->resultList, line) || line == cs::notFoundLine()) return;
    const cs::OfficeHitParts parts = cs::splitOfficeHit(line);
    OfficeInfoDialog details(parts.code, parts.name, parts.address, this);
    details.exec();
}

}  // namespace gui
