// Page of template 107.
#pragma once

#include <memory>

#include "tab_page.h"

namespace Ui {
class SdfPageForm;
}

namespace gui {

class SdfPage : public TabPage {
    Q_OBJECT

  public:
    explicit SdfPage(ProgramContext& context, QWidget* parent = nullptr);
    ~SdfPage() override;

  private:
    std::unique_ptr<Ui::SdfPageForm> ui_;
};

}  // namespace gui
