#include "about_box.h"

#include <QLabel>
#include <QPushButton>

#include "about_box_ids.h"
#include "keszip.h"
#include "sjis_qt.h"
#include "template_controls.h"
#include "ui_about_box.h"

namespace gui {

using namespace ids::about_box;

QString dictionaryVersionText() {
    // The main dictionary's edition and the date of the data it was built
    // from, as `keszip version` prints them.
    const QString edition = fromSjis(GetZe7DicVersion(1, 0));
    const QString dataDate = fromSjis(GetZe7DicVersion(1, 1));
    if (edition.isEmpty()) return QStringLiteral("辞書の版　不明");
    QString text = QStringLiteral("辞書の版　%1").arg(edition);
    if (!dataDate.isEmpty()) text += QStringLiteral("\nデータの日付　%1").arg(dataDate);
    return text;
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::AboutBoxForm>()) {
    ui_->setupUi(this);
    control<QLabel>(this, kDictionaryLabel)->setText(dictionaryVersionText());
    setFixedSize(size());
    connect(control<QPushButton>(this, kOkButton), &QPushButton::clicked, this, &QDialog::accept);
}

AboutBox::~AboutBox() = default;

}  // namespace gui
