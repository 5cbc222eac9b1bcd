// The Access page (template 134): a table of a database converted in
// place. The controls are in place; the checks and the run come with the
// database conversion.
#pragma once

#include <memory>

#include "tab_page.h"

namespace Ui {
class AccessPageForm;
}

namespace gui {

class AccessPage : public TabPage {
    Q_OBJECT

  public:
    explicit AccessPage(ProgramContext& context, QWidget* parent = nullptr);
    ~AccessPage() override;

  private:
    std::unique_ptr<Ui::AccessPageForm> ui_;
};

}  // namespace gui
