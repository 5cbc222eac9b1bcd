#include "about_box.h"

#include <QPushButton>

#include "template_controls.h"
#include "ui_about_box.h"

namespace gui {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::AboutBoxForm>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    connect(control<QPushButton>(this, 1), &QPushButton::clicked, this, &QDialog::accept);
}

AboutBox::~AboutBox() = default;

}  // namespace gui
