// The CSV page: the address in up to four fields of each line
// (template 106).
#pragma once

#include <memory>

#include "conversion_page.h"

namespace Ui {
class CsvPageForm;
}

namespace gui {

class CsvPage : public ConversionPage {
    Q_OBJECT

  public:
    explicit CsvPage(ProgramContext& context, QWidget* parent = nullptr);
    ~CsvPage() override;

  private:
    std::unique_ptr<Ui::CsvPageForm> ui_;
};

}  // namespace gui
