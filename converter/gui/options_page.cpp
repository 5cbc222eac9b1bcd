#include "options_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ceditn.h"
#include "conv_messages.h"
#include "page_checks.h"
#include "sjis_qt.h"
#include "ui_options_page.h"
#include "user_dialogs.h"

namespace gui {
namespace {

constexpr int kModeRadios[] = {1034, 1035, 1036, 1037};
constexpr int kHyphen = 1052, kIkanashi = 1109, kKyoRyaku = 1115, kKennashi = 1122,
              kCitynashi = 1128, kErrorFile = 1079, kErrorName = 1031, kBrowse = 1039,
              kMaxFlag = 1104, kMaxCount = 1089, kEncoding = 1170, kOk = 1;

}  // namespace

OptionsPage::OptionsPage(ProgramContext& context, QWidget* parent)
    : TabPage(context, 103, 7, parent), ui_(std::make_unique<Ui::OptionsPageForm>()) {
    ui_->setupUi(this);
    templateLoaded();
    fillControls();
    snapshot_ = context.options;
    snapshotEncoding_ = context.params.TXTCSVEncoding;
    connect(control<QCheckBox>(kErrorFile), &QCheckBox::clicked, this, &OptionsPage::updateEnabled);
    connect(control<QCheckBox>(kMaxFlag), &QCheckBox::clicked, this, &OptionsPage::updateEnabled);
    connect(control<QPushButton>(kBrowse), &QPushButton::clicked, this, &OptionsPage::browse);
    connect(control<QPushButton>(kOk), &QPushButton::clicked, this, &OptionsPage::ok);
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
    control<QCheckBox>(kHyphen)->setChecked(o.HyphenMode != 0);
    control<QCheckBox>(kIkanashi)->setChecked(o.IkanashiCheck != 0);
    control<QCheckBox>(kKyoRyaku)->setChecked(o.KyoRyakuCheck != 0);
    control<QCheckBox>(kKennashi)->setChecked(o.KennashiCheck != 0);
    control<QCheckBox>(kCitynashi)->setChecked(o.CitynashiCheck != 0);
    control<QCheckBox>(kErrorFile)->setChecked(o.ErrFilFlg == 1);
    control<QLineEdit>(kErrorName)->setText(fromSjis(o.szErrName));
    control<QCheckBox>(kMaxFlag)->setChecked(o.MaxErrFlg == 1);
    CEditN::of(control<QLineEdit>(kMaxCount))->SetData(o.MaxErrCnt);
    // The list's rows are the setting's values: Shift-JIS, UTF-8, automatic.
    control<QComboBox>(kEncoding)->setCurrentIndex(context().params.TXTCSVEncoding);
    updateEnabled();
}

void OptionsPage::updateEnabled() {
    const bool errorFile = control<QCheckBox>(kErrorFile)->isChecked();
    control<QLineEdit>(kErrorName)->setEnabled(errorFile);
    control<QPushButton>(kBrowse)->setEnabled(errorFile);
    control<QLineEdit>(kMaxCount)->setEnabled(control<QCheckBox>(kMaxFlag)->isChecked());
}

void OptionsPage::browse() {
    auto* name = control<QLineEdit>(kErrorName);
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
    edited.HyphenMode = checked(kHyphen);
    edited.IkanashiCheck = checked(kIkanashi);
    edited.KyoRyakuCheck = checked(kKyoRyaku);
    edited.KennashiCheck = checked(kKennashi);
    edited.CitynashiCheck = checked(kCitynashi);
    edited.ErrFilFlg = checked(kErrorFile);
    edited.szErrName = toSjis(control<QLineEdit>(kErrorName)->text());
    edited.MaxErrFlg = checked(kMaxFlag);
    edited.MaxErrCnt = CEditN::of(control<QLineEdit>(kMaxCount))->value();
    const converter::PageCheck check = converter::collectOptions(edited, context().options);
    if (!check.ok()) {
        ShowConvMessage(this, check.message);
        focusControl(check.focus == converter::PageField::MaxErrors ? kMaxCount : kErrorName);
        return false;
    }
    // Names and prefecture are not this page's: they never count as a change.
    snapshot_.SFileName = context().options.SFileName;
    snapshot_.DFileName = context().options.DFileName;
    snapshot_.KenNo = context().options.KenNo;
    context().params.TXTCSVEncoding = control<QComboBox>(kEncoding)->currentIndex();
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
