// OfficeInfoDialog (template 144): one office's code, name and address.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class OfficeInfoDialogForm;
}

namespace gui {

class OfficeInfoDialog : public QDialog {
    Q_OBJECT

  public:
    // The three texts are Shift-JIS, as split from the listed hit.
    OfficeInfoDialog(const std::string& code, const std::string& name, const std::string& address,
                     QWidget* parent = nullptr);
    ~OfficeInfoDialog() override;

  private:
    std::unique_ptr<Ui::OfficeInfoDialogForm> ui_;
};

}  // namespace gui
