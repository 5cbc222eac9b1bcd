// Draws the office search's hits: two text lines per item on alternating
// white and light-yellow rows, the selection in the highlight colours and a
// highlight frame around the item that has the focus.
#pragma once

#include <QColor>
#include <QStyledItemDelegate>

namespace gui {

class OfficeHitDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    // The background of odd rows: red 255, green 255, blue 224.
    static const QColor kLightYellow;

    explicit OfficeHitDelegate(QObject* parent = nullptr);

    // As high as two lines of "■" in the view's font.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace gui
