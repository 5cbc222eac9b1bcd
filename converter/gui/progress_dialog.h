// The run dialog (template 131): hosts one conversion run on the user
// interface thread. The run pumps the event queue once per record, so the
// counter repaints and "中止" (also Escape and the close box) reaches the
// run, which then asks whether to stop.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

#include "conversion/conversion_job.h"
#include "conversion/conversion_run.h"
#include "conversion/run_host.h"
#include "program_context.h"

class QLabel;

namespace Ui {
class ProgressDialogForm;
}

namespace gui {

class DigitCounter;

class ProgressDialog : public QDialog, public converter::RunHost {
    Q_OBJECT

  public:
    ProgressDialog(converter::SourceKind kind, const converter::ConversionJob& job,
                   ProgramContext& context, QWidget* parent = nullptr);
    // A run of another kind: `body` runs with this dialog as its host.
    ProgressDialog(std::function<int(converter::RunHost&)> body, ProgramContext& context,
                   QWidget* parent = nullptr);
    ~ProgressDialog() override;

    // Runs the dialog and the run; the run's end code.
    int runModal();
    DigitCounter* counter() const { return counter_; }
    QString errorCountText() const;

    // RunHost
    void pumpEvents() override;
    void showProgress(std::uint32_t processed, bool final, double fraction) override;
    void showErrorCount(std::int32_t count) override;
    void showMessage(int code) override;
    bool ask(std::string_view text, std::string_view caption) override;
    void inform(std::string_view text, std::string_view caption,
                converter::MessageIcon icon) override;
    bool stopRequested() override { return stopRequest_; }
    void clearStopRequest() override { stopRequest_ = false; }
    std::uint32_t tickCount() override;
    void runEnded(const converter::RunSummary& summary) override { summary_ = summary; }

  signals:
    // Emitted once per record, after the events were pumped (for tests and
    // the screenshots).
    void pumped();

  public slots:
    // "中止": only the stop request; the run asks at the next record.
    void requestStop() { stopRequest_ = true; }
    void reject() override { requestStop(); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void startRun();

    converter::SourceKind kind_;
    converter::ConversionJob job_;
    std::function<int(converter::RunHost&)> body_;
    ProgramContext& context_;
    std::unique_ptr<Ui::ProgressDialogForm> ui_;
    DigitCounter* counter_ = nullptr;
    QLabel* errorCount_ = nullptr;
    // The run's own counts, given before its end message, which shows them
    // as the command line does.
    std::optional<converter::RunSummary> summary_;
    bool stopRequest_ = false;
    bool running_ = false;
    int endCode_ = converter::kRunEnded;
};

}  // namespace gui
