// CodeSearchDialog (template 145): the addresses that carry a postal code.
// The search runs as soon as the dialog is shown and again whenever the
// 5-digit box is ticked or cleared; choosing a line hands its address back.
#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <string>

namespace Ui {
class CodeSearchDialogForm;
}

namespace gui {

class CodeSearchDialog : public QDialog {
    Q_OBJECT

  public:
    // `result` receives the chosen address (Shift-JIS) when the dialog ends
    // with OK; it may be null, and then no line can be chosen.
    CodeSearchDialog(std::optional<std::string> initialCode, std::string* result,
                     QWidget* parent = nullptr);
    ~CodeSearchDialog() override;

    // Button "検索開始" and each click of "5桁郵便番号を表示する".
    void search();
    // A double-click on a line, or Enter while the list has the focus.
    void choose();

  private:
    std::unique_ptr<Ui::CodeSearchDialogForm> ui_;
    std::string* result_;
};

}  // namespace gui
