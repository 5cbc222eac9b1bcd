// The SDF page: fixed byte positions in lines or fixed-length records
// (template 107).
#pragma once

#include <memory>

#include "conversion_page.h"

namespace Ui {
class SdfPageForm;
}

namespace gui {

class SdfPage : public ConversionPage {
    Q_OBJECT

  public:
    explicit SdfPage(ProgramContext& context, QWidget* parent = nullptr);
    ~SdfPage() override;

  private:
    std::unique_ptr<Ui::SdfPageForm> ui_;
};

}  // namespace gui
