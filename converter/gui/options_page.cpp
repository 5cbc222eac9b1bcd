#include "options_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ceditn.h"
#include "conv_messages.h"
#include "conversion/page_checks.h"
#include "options_page_ids.h"
#include "sjis_qt.h"
#include "ui_options_page.h"
#include "user_dialogs.h"

namespace gui {
namespace {

using namespace ids::options_page;

// The conversion modes 1 to 4.
constexpr int kModeRadios[] = {kFiveDigitRadio, kSevenDigitRadio, kBarcodeRadio, kLocalCodeRadio};

}  // namespace

OptionsPage::OptionsPage(ProgramContext& context, QWidget* parent)
    : TabPage(context, kTemplate, 7, parent), ui_(std::make_unique<Ui::OptionsPageForm>()) {
    ui_->setupUi(this);
    templateLoaded();
    fillControls();
    snapshot_ = context.options;
    snapshotEncoding_ = context.params.TXTCSVEncoding;
    connect(control<QCheckBox>(kErrorFileCheck), &QCheckBox::clicked, this,
            &OptionsPage::updateEnabled);
    connect(control<QCheckBox>(kMaxErrorsCheck), &QCheckBox::clicked, this,
            &OptionsPage::updateEnabled);
    connect(control<QPushButton>(kBrowseErrorFileButton), &QPushButton::clicked, this,
            &OptionsPage::browse);
    connect(control<QPushButton>(kOkButton), &QPushButton::clicked, this, &OptionsPage::ok);
}

OptionsPage::~OptionsPage() = default;

void OptionsPage::fillControls() {
    const converter::OptionsBlock& o = context().options;
    // No radio button is checked for a mode outside 1 to 4.
    for (int i = 0; i < 4; ++i) {
        auto* radio = control<QRadioButton>(kModeRadios[i]);
        radio->setAutoExclusive(false);
        radio->setChecked(o.CnvKbn == i + 1);
        radio->setAutoExclusive(true);
    }
    control<QCheckBox>(kHyphenCheck)->setChecked(o.HyphenMode != 0);
    control<QCheckBox>(kNoListingCheck)->setChecked(o.IkanashiCheck != 0);
    control<QCheckBox>(kKyotoShortCheck)->setChecked(o.KyoRyakuCheck != 0);
    control<QCheckBox>(kNoPrefectureCheck)->setChecked(o.KennashiCheck != 0);
    control<QCheckBox>(kNoCityCheck)->setChecked(o.CitynashiCheck != 0);
    control<QCheckBox>(kErrorFileCheck)->setChecked(o.ErrFilFlg == 1);
    control<QLineEdit>(kErrorFileEdit)->setText(fromSjis(o.szErrName));
    control<QCheckBox>(kMaxErrorsCheck)->setChecked(o.MaxErrFlg == 1);
    CEditN::of(control<QLineEdit>(kMaxErrorsEdit))->SetData(o.MaxErrCnt);
    // The list's rows are the setting's values: Shift-JIS, UTF-8, automatic.
    control<QComboBox>(kEncodingList)->setCurrentIndex(context().params.TXTCSVEncoding);
    updateEnabled();
}

void OptionsPage::updateEnabled() {
    const bool errorFile = control<QCheckBox>(kErrorFileCheck)->isChecked();
    control<QLineEdit>(kErrorFileEdit)->setEnabled(errorFile);
    control<QPushButton>(kBrowseErrorFileButton)->setEnabled(errorFile);
    control<QLineEdit>(kMaxErrorsEdit)
        ->setEnabled(control<QCheckBox>(kMaxErrorsCheck)->isChecked());
}

void OptionsPage::browse() {
    auto* name = control<QLineEdit>(kErrorFileEdit);
    const QString chosen = userDialogs().saveFileName(
        this, name->text(),
        qtFileFilter(QStringLiteral(
            "Text Files (*.txt; *.err; *.prn)|*.txt;*.err;*.prn|All Files (*.*)|*.*||")));
    if (!chosen.isEmpty()) name->setText(QDir::toNativeSeparators(chosen));
}

bool OptionsPage::collect() {
    converter::OptionsBlock edited = context().options;
    edited.CnvKbn = 0;
    for (int i = 0; i < 4; ++i)
        if (control<QRadioButton>(kModeRadios[i])->isChecked()) edited.CnvKbn = i + 1;
    auto checked = [this](int id) { return control<QCheckBox>(id)->isChecked() ? 1 : 0; };
    edited.HyphenMode = checked(kHyphenCheck);
    edited.IkanashiCheck = checked(kNoListingCheck);
    edited.KyoRyakuCheck = checked(kKyotoShortCheck);
    edited.KennashiCheck = checked(kNoPrefectureCheck);
    edited.CitynashiCheck = checked(kNoCityCheck);
    edited.ErrFilFlg = checked(kErrorFileCheck);
    edited.szErrName = toSjis(control<QLineEdit>(kErrorFileEdit)->text());
    edited.MaxErrFlg = checked(kMaxErrorsCheck);
    edited.MaxErrCnt = CEditN::of(control<QLineEdit>(kMaxErrorsEdit))->value();
    const converter::PageCheck check = converter::collectOptions(edited, context().options);
    if (!check.ok()) {
        ShowConvMessage(this, check.message);
        focusControl(check.focus == converter::PageField::MaxErrors ? kMaxErrorsEdit
                                                                    : kErrorFileEdit);
        return false;
    }
    // Names and prefecture are not this page's: they never count as a change.
    snapshot_.SFileName = context().options.SFileName;
    snapshot_.DFileName = context().options.DFileName;
    snapshot_.KenNo = context().options.KenNo;
    context().params.TXTCSVEncoding = control<QComboBox>(kEncodingList)->currentIndex();
    return true;
}

void OptionsPage::apply() {
    snapshot_ = context().options;
    snapshotEncoding_ = context().params.TXTCSVEncoding;
    context().engine.setHyphenMode(context().options.HyphenMode);
}

void OptionsPage::ok() {
    if (!askYesNo(this, QStringLiteral("設定内容を有効にしますか？"), QStringLiteral("確認")))
        return;
    if (collect()) apply();
}

int OptionsPage::CanLeave() {
    if (!collect()) return 1;
    if (context().options == snapshot_ && context().params.TXTCSVEncoding == snapshotEncoding_)
        return 0;
    if (askYesNo(this, QStringLiteral("内容が変更されています。\n設定内容を有効にしますか？"),
                 QStringLiteral("確認"))) {
        apply();
    } else {
        context().options = snapshot_;
        context().params.TXTCSVEncoding = snapshotEncoding_;
        fillControls();
    }
    return 0;
}

}  // namespace gui
