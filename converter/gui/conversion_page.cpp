#include "conversion_page.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>

#include "ceditn.h"
#include "conv_messages.h"
#include "conversion/run_start.h"
#include "progress_dialog.h"
#include "range_dialog.h"
#include "sjis_qt.h"
#include "user_dialogs.h"

namespace gui {

using converter::PageField;
using converter::SourceKind;

// The questions of a run asked over the page, the run in the run dialog.
class PageRunStarter final : public converter::RunStarter {
  public:
    explicit PageRunStarter(ConversionPage& page) : page_(page) {}
    void refuse(const converter::PageCheck& check) override {
        ShowConvMessage(&page_, check.message);
        if (const int id = page_.focusIdOf(check.focus)) page_.focusControl(id);
    }
    bool ask(std::string_view text, std::string_view caption) override {
        return askYesNo(&page_, fromSjis(text), fromSjis(caption));
    }
    int run(SourceKind kind, const converter::ConversionJob& job) override {
        ProgressDialog dialog(kind, job, page_.context(), &page_);
        return dialog.runModal();
    }
    void showMessage(int code) override { ShowConvMessage(&page_, code); }

  private:
    ConversionPage& page_;
};

ConversionPage::ConversionPage(ProgramContext& context, int templateId, int hintKind,
                               const ConversionPageIds& ids, QWidget* parent)
    : TabPage(context, templateId, hintKind, parent), ids_(ids) {}

void ConversionPage::wireControls() {
    auto clicked = [this](int id, auto slot) {
        if (auto* button = control<QAbstractButton>(id))
            connect(button, &QAbstractButton::clicked, this, slot);
    };
    clicked(ids_.sourceBrowse, [this] { browse(ids_.source, false); });
    clicked(ids_.destinationBrowse, [this] { browse(ids_.destination, true); });
    clicked(ids_.markerCheck, [this] { updateEnabled(); });
    clicked(ids_.lineBreaks, [this] { updateEnabled(); });
    clicked(ids_.fixedLength, [this] { updateEnabled(); });
    clicked(ids_.runAll, [this] { startRun(false); });
    clicked(ids_.runPart, [this] { startRun(true); });
    templateLoaded();
}

QLineEdit* ConversionPage::edit(int id) const { return id ? control<QLineEdit>(id) : nullptr; }

int ConversionPage::number(int id) const {
    QLineEdit* e = edit(id);
    return e ? CEditN::of(e)->value() : 0;
}

void ConversionPage::setNumber(int id, int value) {
    if (QLineEdit* e = edit(id)) CEditN::of(e)->SetData(value);
}

converter::PageFields ConversionPage::fields() const {
    converter::PageFields page;
    page.source = toSjis(edit(ids_.source)->text());
    page.destination = toSjis(edit(ids_.destination)->text());
    for (std::size_t i = 0; i < 4; ++i) {
        page.pieceStart[i] = number(ids_.starts[i]);
        page.pieceSize[i] = number(ids_.sizes[i]);
    }
    page.insertPosition = number(ids_.insert);
    if (ids_.lineBreaks) page.lineBreaks = control<QRadioButton>(ids_.lineBreaks)->isChecked();
    page.recordLength = number(ids_.recordLength);
    if (ids_.unquoted) page.quoted = !control<QRadioButton>(ids_.unquoted)->isChecked();
    if (ids_.markerCheck) {
        page.markerFlag = control<QCheckBox>(ids_.markerCheck)->isChecked();
        page.marker = toSjis(edit(ids_.marker)->text());
    }
    return page;
}

void ConversionPage::fill() {
    const converter::PageFields page =
        converter::pageFieldsFromSettings(ids_.kind, context().options, context().params);
    edit(ids_.source)->setText(fromSjis(page.source));
    edit(ids_.destination)->setText(fromSjis(page.destination));
    for (std::size_t i = 0; i < 4; ++i) {
        setNumber(ids_.starts[i], page.pieceStart[i]);
        setNumber(ids_.sizes[i], page.pieceSize[i]);
    }
    setNumber(ids_.insert, page.insertPosition);
    if (ids_.lineBreaks) {
        control<QRadioButton>(page.lineBreaks ? ids_.lineBreaks : ids_.fixedLength)
            ->setChecked(true);
        setNumber(ids_.recordLength, page.recordLength);
    }
    if (ids_.quoted)
        control<QRadioButton>(page.quoted ? ids_.quoted : ids_.unquoted)->setChecked(true);
    if (ids_.markerCheck) {
        control<QCheckBox>(ids_.markerCheck)->setChecked(page.markerFlag);
        edit(ids_.marker)->setText(fromSjis(page.marker));
    }
    updateEnabled();
}

void ConversionPage::updateEnabled() {
    if (ids_.markerCheck)
        edit(ids_.marker)->setEnabled(control<QCheckBox>(ids_.markerCheck)->isChecked());
    if (ids_.fixedLength)
        edit(ids_.recordLength)->setEnabled(control<QRadioButton>(ids_.fixedLength)->isChecked());
}

void ConversionPage::browse(int editId, bool forWriting) {
    QLineEdit* target = edit(editId);
    const QString filter = qtFileFilter(QString::fromUtf8(ids_.filter));
    const QString chosen = forWriting ? userDialogs().saveFileName(this, target->text(), filter)
                                      : userDialogs().openFileName(this, target->text(), filter);
    if (!chosen.isEmpty()) target->setText(QDir::toNativeSeparators(chosen));
}

int ConversionPage::CanLeave() {
    converter::storePageNumbers(ids_.kind, fields(), context().params);
    return 0;
}

int ConversionPage::focusIdOf(PageField field) const {
    switch (field) {
        case PageField::Source:
            return ids_.source;
        case PageField::Destination:
            return ids_.destination;
        case PageField::PieceStart:
            return ids_.starts[0];
        case PageField::PieceSize:
            return ids_.sizes[0];
        case PageField::InsertPosition:
            return ids_.insert;
        case PageField::RecordLength:
            return ids_.recordLength;
        default:
            return 0;
    }
}

int ConversionPage::startRun(bool partial) {
    converter::ConversionJob job;
    if (partial) {
        RangeDialog range(job, this);
        if (range.exec() != RangeDialog::kStart) return converter::kRunDeclined;
    }
    const converter::PageFields page = fields();
    PageRunStarter starter(*this);
    const int result = converter::startConversion(ids_.kind, page, job, context().options,
                                                  context().params, starter);
    if (result != converter::kPageRefused)
        converter::storePageNumbers(ids_.kind, page, context().params);
    return result;
}

}  // namespace gui
