#include "progress_dialog.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "conv_messages.h"
#include "digit_counter.h"
#include "progress_dialog_ids.h"
#include "sjis_qt.h"
#include "template_controls.h"
#include "ui_progress_dialog.h"
#include "user_dialogs.h"
#include "workbooks/xlsx/workbook_kind_choice.h"

namespace gui {

using namespace ids::progress_dialog;
namespace {

std::uint32_t monotonicMilliseconds() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<std::uint32_t>(clock.elapsed());
}

BoxIcon boxIcon(converter::MessageIcon icon) {
    switch (icon) {
        case converter::MessageIcon::Information:
            return BoxIcon::Information;
        case converter::MessageIcon::Stop:
            return BoxIcon::Stop;
        case converter::MessageIcon::Warning:
            return BoxIcon::Warning;
        case converter::MessageIcon::Question:
            return BoxIcon::Question;
    }
    return BoxIcon::Information;
}

}  // namespace

ProgressDialog::ProgressDialog(converter::SourceKind kind, const converter::ConversionJob& job,
                               ProgramContext& context, QWidget* parent)
    : QDialog(parent),
      kind_(kind),
      job_(job),
      context_(context),
      ui_(std::make_unique<Ui::ProgressDialogForm>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    counter_ = new DigitCounter(findControl(this, kCounter), monotonicMilliseconds);
    errorCount_ = control<QLabel>(this, kErrorCount);
    connect(control<QPushButton>(this, kStopButton), &QPushButton::clicked, this,
            &ProgressDialog::requestStop);
}

ProgressDialog::ProgressDialog(std::function<int(converter::RunHost&)> body,
                               ProgramContext& context, QWidget* parent)
    : ProgressDialog(converter::SourceKind::Csv, converter::ConversionJob{}, context, parent) {
    body_ = std::move(body);
}

ProgressDialog::~ProgressDialog() = default;

int ProgressDialog::runModal() {
    // The run starts once the dialog is up and painted.
    QTimer::singleShot(0, this, &ProgressDialog::startRun);
    exec();
    return endCode_;
}

void ProgressDialog::startRun() {
    repaint();
    running_ = true;
    workbooks::AnyWorkbookKind workbooks;
    endCode_ = body_ ? body_(*this)
                     : converter::runConversion(kind_, job_, context_.engine, *this,
                                                context_.programDirectory, &workbooks);
    running_ = false;
    done(endCode_);
}

QString ProgressDialog::errorCountText() const { return errorCount_->text(); }

void ProgressDialog::pumpEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    emit pumped();
}

void ProgressDialog::showProgress(std::uint32_t processed, bool final, double) {
    counter_->Update(processed);
    if (final) counter_->Update(DigitCounter::kFinal);
}

void ProgressDialog::showErrorCount(std::int32_t count) {
    errorCount_->setText(QString::number(count));
}

void ProgressDialog::showMessage(int code) { ShowConvMessage(this, code); }

bool ProgressDialog::ask(std::string_view text, std::string_view caption) {
    return askYesNo(this, fromSjis(text), fromSjis(caption));
}

void ProgressDialog::inform(std::string_view text, std::string_view caption,
                            converter::MessageIcon icon) {
    QString shown = fromSjis(text);
    // The end-of-run message (after a stop too) gives the counts with the time.
    if (summary_ && fromSjis(caption) == QStringLiteral("終了確認")) {
        shown += QStringLiteral("\n読込件数 %1 件　変換件数 %2 件　エラー件数 %3 件")
                     .arg(summary_->read)
                     .arg(summary_->converted)
                     .arg(std::max(0, summary_->errors));
    }
    userDialogs().message(this, shown, fromSjis(caption), boxIcon(icon));
}

std::uint32_t ProgressDialog::tickCount() { return monotonicMilliseconds(); }

void ProgressDialog::closeEvent(QCloseEvent* event) {
    // The close box is the stop button while the run goes on.
    if (running_) {
        requestStop();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace gui
