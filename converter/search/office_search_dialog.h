// OfficeSearchDialog (template 148): large business offices by code or by
// name, each hit listed on two lines; a chosen hit opens its details.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class OfficeSearchDialogForm;
}

namespace gui {

class OfficeSearchDialog : public QDialog {
    Q_OBJECT

  public:
    explicit OfficeSearchDialog(QWidget* parent = nullptr);
    ~OfficeSearchDialog() override;

    // Button "検索": by code or by name, as the radio buttons say.
    void search();
    // A double-click on a hit, or Enter while the list has the focus.
    void showDetails();

  private:
    void enableFields();

    std::unique_ptr<Ui::OfficeSearchDialogForm> ui_;
};

}  // namespace gui
