#include "office_hit_delegate.h"

#include <QFontMetrics>
#include <QPainter>

namespace gui {

const QColor OfficeHitDelegate::kLightYellow(255, 255, 224);

OfficeHitDelegate::OfficeHitDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QSize OfficeHitDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    // The view widens every item to its own width; the text's width only
    // matters when it is wider.
    const QFontMetrics metrics(option.font);
    const QSize text = metrics.size(0, index.data(Qt::DisplayRole).toString());
    return QSize(text.width() + 2,
                 2 * metrics.size(Qt::TextSingleLine, QStringLiteral("■")).height());
}

void OfficeHitDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    const bool focused = option.state & QStyle::State_HasFocus;
    const QColor highlight = option.palette.color(QPalette::Active, QPalette::Highlight);
    const QRect rect = option.rect;

    painter->save();
    // The background inside a one-pixel margin; the selection wins over the row colour.
    QColor background = (index.row() % 2 == 1) ? kLightYellow : QColor(Qt::white);
    if (selected) background = highlight;
    painter->fillRect(rect.adjusted(1, 1, -1, -1), background);

    // The margin frames the item: highlight for the focused item, else white.
    painter->setPen(focused ? highlight : QColor(Qt::white));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(rect.adjusted(0, 0, -1, -1));

    painter->setFont(option.font);
    painter->setPen(selected ? option.palette.color(QPalette::Active, QPalette::HighlightedText)
                             : QColor(Qt::black));
    painter->drawText(rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}

}  // namespace gui
