#include "digit_counter.h"

#include <QPainter>
#include <cstdio>

#include "template_controls.h"

namespace gui {
namespace {

QByteArray sixDigits(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%6d", static_cast<int>(value));
    return QByteArray(text);
}

}  // namespace

DigitCounter::DigitCounter(QWidget* placeholder, std::function<std::uint32_t()> tick)
    : QWidget(placeholder->parentWidget()),
      glyphs_(QStringLiteral(":/zelko7/bitmap132.png")),
      glyphWidth_(glyphs_.width() / 11),
      glyphHeight_(glyphs_.height()),
      tick_(std::move(tick)) {
    setControlId(this, controlId(placeholder));
    setControlId(placeholder, -1);
    placeholder->hide();
    const QPoint at = placeholder->geometry().topLeft();
    setGeometry(at.x(), at.y(), 6 * glyphWidth_ + 4, glyphHeight_ + 4);
    setFont(placeholder->font());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize DigitCounter::sizeHint() const { return {6 * glyphWidth_ + 4, glyphHeight_ + 4}; }

void DigitCounter::Update(std::uint32_t value) {
    if (value == kFinal) {
        shown_ = value_;
        repaint();
        return;
    }
    value_ = value;
    const std::uint32_t now = tick_();
    if (requested_ && now - lastRequest_ < kInterval) return;
    requested_ = true;
    lastRequest_ = now;
    ++requests_;
    const QByteArray before = sixDigits(shown_);
    const QByteArray after = sixDigits(value_);
    shown_ = value_;
    int first = 0;
    while (first < 6 && before[first] == after[first]) ++first;
    if (first < 6)
        update(2 + first * glyphWidth_, 0, width() - (2 + first * glyphWidth_), height());
}

void DigitCounter::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QByteArray text = sixDigits(shown_);
    for (int i = 0; i < 6; ++i) {
        const char c = text[i];
        const int glyph = c >= '0' && c <= '9' ? c - '0' : 10;
        painter.drawPixmap(2 + i * glyphWidth_, 2, glyphs_, glyph * glyphWidth_, 0, glyphWidth_,
                           glyphHeight_);
    }
    // A sunken frame two pixels thick: grey top and left, white bottom and right.
    const int w = width(), h = height();
    painter.setPen(QColor(128, 128, 128));
    for (int k = 0; k < 2; ++k) {
        painter.drawLine(k, k, w - 1 - k, k);
        painter.drawLine(k, k, k, h - 1 - k);
    }
    painter.setPen(Qt::white);
    for (int k = 0; k < 2; ++k) {
        painter.drawLine(k, h - 1 - k, w - 1 - k, h - 1 - k);
        painter.drawLine(w - 1 - k, k, w - 1 - k, h - 1 - k);
    }
}

}  // namespace gui
