// TextSearchDialog (template 146): places that match a partial address,
// searched again on every change of the text. Picking a place above town
// level narrows the search; "住所確定" hands the text back.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class TextSearchDialogForm;
}

namespace gui {

class TextSearchDialog : public QDialog {
    Q_OBJECT

  public:
    // `result` holds the initial text and receives the confirmed address
    // (Shift-JIS) when the dialog ends with OK; it may be null.
    explicit TextSearchDialog(std::string* result, QWidget* parent = nullptr);
    ~TextSearchDialog() override;

    // Runs on every change of the search text.
    void search();
    // A double-click on a line, or Enter while the list has the focus.
    void pick();
    // Button "住所確定".
    void confirm();

    bool listIsPartial() const { return listIsPartial_; }

  private:
    std::unique_ptr<Ui::TextSearchDialogForm> ui_;
    std::string* result_;
    bool listIsPartial_ = false;
};

}  // namespace gui
