// The options page (template 103): conversion mode, hyphen, the encoding of
// text, SDF and CSV lists, the four strict checks and what to do on failed
// records. Changes take effect when applied
// with "OK" or confirmed when the page is left.
#pragma once

#include <memory>

#include "conversion/settings.h"
#include "tab_page.h"

namespace Ui {
class OptionsPageForm;
}

namespace gui {

class OptionsPage : public TabPage {
    Q_OBJECT

  public:
    explicit OptionsPage(ProgramContext& context, QWidget* parent = nullptr);
    ~OptionsPage() override;

    int CanLeave() override;
    // Fills the controls from the Options block (not on every show: the
    // page keeps what the user typed until it is applied or left).
    void fillControls();
    // Validates the controls and commits them to the Options block; on a
    // failure shows the numbered message, focuses the field, returns false.
    bool collect();
    void ok();

  private:
    void updateEnabled();
    void browse();
    void apply();

    std::unique_ptr<Ui::OptionsPageForm> ui_;
    converter::OptionsBlock snapshot_;
    std::int32_t snapshotEncoding_ = 0;  // CnvParam's TXTCSVEncoding when last applied
};

}  // namespace gui
