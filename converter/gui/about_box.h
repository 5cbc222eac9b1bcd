// The version dialog (template 100).
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class AboutBoxForm;
}

namespace gui {

class AboutBox : public QDialog {
    Q_OBJECT

  public:
    explicit AboutBox(QWidget* parent = nullptr);
    ~AboutBox() override;

  private:
    std::unique_ptr<Ui::AboutBoxForm> ui_;
};

}  // namespace gui
