// Page of template 106.
#pragma once

#include <memory>

#include "tab_page.h"

namespace Ui {
class CsvPageForm;
}

namespace gui {

class CsvPage : public TabPage {
    Q_OBJECT

  public:
    explicit CsvPage(ProgramContext& context, QWidget* parent = nullptr);
    ~CsvPage() override;

  private:
    std::unique_ptr<Ui::CsvPageForm> ui_;
};

}  // namespace gui
