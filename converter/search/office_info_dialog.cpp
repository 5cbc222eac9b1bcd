#include "office_info_dialog.h"

#include "gui/sjis_qt.h"
#include "ui_search_office_info.h"

namespace gui {

OfficeInfoDialog::OfficeInfoDialog(const std::string& code, const std::string& name,
                                   const std::string& address, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::OfficeInfoDialogForm>()) {
    ui_->setupUi(this);
    ui_->codeEdit->setText(fromSjis(code));
    ui_->nameEdit->setText(fromSjis(name));
    ui_->addressEdit->setText(fromSjis(address));
    connect(ui_->closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

OfficeInfoDialog::~OfficeInfoDialog() = default;

}  // namespace gui
