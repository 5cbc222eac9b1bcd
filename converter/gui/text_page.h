// The standard-text page: fixed byte positions in each line of a text file
// (template 133).
#pragma once

#include <memory>

#include "conversion_page.h"

namespace Ui {
class TextPageForm;
}

namespace gui {

class TextPage : public ConversionPage {
    Q_OBJECT

  public:
    explicit TextPage(ProgramContext& context, QWidget* parent = nullptr);
    ~TextPage() override;

  private:
    std::unique_ptr<Ui::TextPageForm> ui_;
};

}  // namespace gui
