// CEditN: the numeric entry field of every page (positions, sizes, counts,
// record numbers). It is attached to a template's QLineEdit: the picture
// limits the typed length, a zero shows as a blank field, "-" flips the
// sign when the flipped value still fits, and the field shows its value
// without leading blanks while it has the focus.
#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace gui {

class CEditN : public QObject {
    Q_OBJECT

  public:
    // Attaches itself to `edit` (and is owned by it). A picture stored on the
    // edit's dynamic property "picture" is applied at once with flag 1.
    explicit CEditN(QLineEdit* edit);
    // The field attached to `edit`, or nullptr.
    static CEditN* of(const QLineEdit* edit);

    void SetFormat(const QString& picture, int flags);
    // Shows `value` through the picture; false (and nothing changed) when it
    // does not fit. Called before SetFormat it only shows a message.
    bool SetData(long long value);
    // The typed value; callers truncate it to an integer.
    double GetData() const;
    // The typed value as a 32-bit integer (truncated, clamped).
    int value() const;
    bool fits(double value) const;
    QLineEdit* edit() const { return edit_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void flipSign();
    QLineEdit* edit_;
    QString picture_;
    int flags_ = 0;
    QString focusText_;
};

// Attaches a CEditN to every edit below `root` whose template gives a picture.
void attachNumericFields(QObject* root);

}  // namespace gui
