// The version dialog (template 100): the program's version line and the
// dictionary's edition and data date.
#pragma once

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class AboutBoxForm;
}

namespace gui {

// "辞書の版　<edition>" and, on a second line, "データの日付　<date>".
QString dictionaryVersionText();

class AboutBox : public QDialog {
    Q_OBJECT

  public:
    explicit AboutBox(QWidget* parent = nullptr);
    ~AboutBox() override;

  private:
    std::unique_ptr<Ui::AboutBoxForm> ui_;
};

}  // namespace gui
