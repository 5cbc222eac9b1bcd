// Page of template 133.
#pragma once

#include <memory>

#include "tab_page.h"

namespace Ui {
class TextPageForm;
}

namespace gui {

class TextPage : public TabPage {
    Q_OBJECT

  public:
    explicit TextPage(ProgramContext& context, QWidget* parent = nullptr);
    ~TextPage() override;

  private:
    std::unique_ptr<Ui::TextPageForm> ui_;
};

}  // namespace gui
