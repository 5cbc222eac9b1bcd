#include "range_dialog.h"

#include <QLineEdit>
#include <QPushButton>

#include "ceditn.h"
#include "conv_messages.h"
#include "conversion/page_checks.h"
#include "range_dialog_ids.h"
#include "template_controls.h"
#include "ui_range_dialog.h"

namespace gui {

using namespace ids::range_dialog;

RangeDialog::RangeDialog(converter::ConversionJob& job, QWidget* parent)
    : QDialog(parent), job_(job), ui_(std::make_unique<Ui::RangeDialogForm>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    attachNumericFields(this);
    CEditN::of(control<QLineEdit>(this, kFirstEdit))->SetData(1);
    CEditN::of(control<QLineEdit>(this, kLastEdit))->SetData(999999999);
    connect(control<QPushButton>(this, kStartButton), &QPushButton::clicked, this,
            &RangeDialog::start);
    connect(control<QPushButton>(this, kCancelButton), &QPushButton::clicked, this,
            [this] { done(kCancel); });
}

RangeDialog::~RangeDialog() = default;

void RangeDialog::start() {
    auto* first = control<QLineEdit>(this, kFirstEdit);
    auto* last = control<QLineEdit>(this, kLastEdit);
    const auto check =
        converter::checkRange(static_cast<long long>(CEditN::of(first)->GetData()),
                              static_cast<long long>(CEditN::of(last)->GetData()), job_);
    if (!check.ok()) {
        ShowConvMessage(this, check.message);
        QLineEdit* field = check.focus == converter::PageField::LastRecord ? last : first;
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
        return;
    }
    done(kStart);
}

}  // namespace gui
