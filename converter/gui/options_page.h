// Page of template 103.
#pragma once

#include <memory>

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

  private:
    std::unique_ptr<Ui::OptionsPageForm> ui_;
};

}  // namespace gui
