// The Excel page (template 138): a sheet of a workbook converted into a
// copy of the workbook. The controls are in place; the checks and the run
// come with the workbook conversion.
#pragma once

#include <memory>

#include "tab_page.h"

namespace Ui {
class ExcelPageForm;
}

namespace gui {

class ExcelPage : public TabPage {
    Q_OBJECT

  public:
    explicit ExcelPage(ProgramContext& context, QWidget* parent = nullptr);
    ~ExcelPage() override;

  private:
    std::unique_ptr<Ui::ExcelPageForm> ui_;
};

}  // namespace gui
