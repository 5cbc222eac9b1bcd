// DigitCounter: the run dialog's record counter, six digits painted from
// the glyph bitmap 132 (digits 0 to 9, then a blank) in a sunken frame. It
// repaints at most every 200 ms, and then only from the first changed digit
// on; the final value is painted at once.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <cstdint>
#include <functional>

namespace gui {

class DigitCounter : public QWidget {
    Q_OBJECT

  public:
    // The value that marks the final update.
    static constexpr std::uint32_t kFinal = 0x80000000u;
    static constexpr std::uint32_t kInterval = 200;

    // Takes the place and id of `placeholder` (hidden, its id set to -1).
    // `tick` gives milliseconds of a monotonic clock.
    DigitCounter(QWidget* placeholder, std::function<std::uint32_t()> tick);

    // Shows `value`; kFinal paints the last value given at once.
    void Update(std::uint32_t value);
    std::uint32_t shownValue() const { return shown_; }
    std::uint32_t pendingValue() const { return value_; }
    int repaintRequests() const { return requests_; }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap glyphs_;
    int glyphWidth_;
    int glyphHeight_;
    std::function<std::uint32_t()> tick_;
    std::uint32_t shown_ = 0;
    std::uint32_t value_ = 0;
    std::uint32_t lastRequest_ = 0;
    bool requested_ = false;
    int requests_ = 0;
};

}  // namespace gui
