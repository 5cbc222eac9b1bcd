// The partial-range dialog (template 104): first and last record of a run.
#pragma once

#include <QDialog>
#include <memory>

#include "conversion/conversion_job.h"

namespace Ui {
class RangeDialogForm;
}

namespace gui {

class RangeDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kStart = 1;
    static constexpr int kCancel = 2;

    RangeDialog(converter::ConversionJob& job, QWidget* parent = nullptr);
    ~RangeDialog() override;

    // Escape and the close box cancel.
    void reject() override { done(kCancel); }

  private:
    void start();
    converter::ConversionJob& job_;
    std::unique_ptr<Ui::RangeDialogForm> ui_;
};

}  // namespace gui
