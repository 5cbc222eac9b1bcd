#include "ceditn.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <cmath>
#include <limits>

#include "numeric_picture.h"
#include "user_dialogs.h"

namespace gui {

CEditN::CEditN(QLineEdit* edit) : QObject(edit), edit_(edit) {
    setObjectName(QStringLiteral("CEditN"));
    edit->installEventFilter(this);
    const QString picture = edit->property("picture").toString();
    if (!picture.isEmpty()) SetFormat(picture, kBlankZero);
}

CEditN* CEditN::of(const QLineEdit* edit) {
    return edit ? edit->findChild<CEditN*>(QStringLiteral("CEditN"), Qt::FindDirectChildrenOnly)
                : nullptr;
}

void CEditN::SetFormat(const QString& picture, int flags) {
    picture_ = picture;
    flags_ = flags;
    edit_->setMaxLength(static_cast<int>(picture.size()));
}

bool CEditN::SetData(long long value) {
    if (picture_.isEmpty()) {
        userDialogs().message(edit_, QStringLiteral("SetFormat がされていません!!"),
                              QStringLiteral("CEditN::SetData"), BoxIcon::Warning);
        return false;
    }
    const auto shown = showThroughPicture(picture_, flags_, value);
    if (!shown) return false;
    edit_->setText(edit_->hasFocus() ? shown->trimmed() : *shown);
    return true;
}

double CEditN::GetData() const { return readPictureValue(edit_->text()); }

int CEditN::value() const {
    const double v = std::trunc(GetData());
    if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (v < -std::numeric_limits<int>::max()) return -std::numeric_limits<int>::max();
    return static_cast<int>(v);
}

bool CEditN::fits(double value) const {
    return showThroughPicture(picture_, flags_, static_cast<long long>(std::trunc(value)))
        .has_value();
}

void CEditN::flipSign() {
    const long long flipped = -static_cast<long long>(std::trunc(GetData()));
    const auto shown = showThroughPicture(picture_, flags_, flipped);
    if (!shown) return;
    edit_->setText(shown->trimmed());
    edit_->end(false);
}

bool CEditN::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit_ || picture_.isEmpty()) return false;
    switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            const QString text = key->text();
            if (text.isEmpty() || text[0].unicode() < 0x20 || text[0].unicode() == 0x7f ||
                (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
                return false;  // editing and navigation keys pass
            const QChar c = text[0];
            const bool negative = GetData() < 0;
            if (c == u'-' || (negative && (c == u'+' || c == u' '))) {
                flipSign();
                return true;
            }
            if (c.isDigit() || c == u' ' || c == u',' || c == u'.') return false;
            return true;  // every other character is ignored
        }
        case QEvent::FocusIn: {
            const double v = GetData();
            if (fits(v)) {
                if (auto shown = showThroughPicture(picture_, flags_, static_cast<long long>(v)))
                    edit_->setText(shown->trimmed());
            }
            focusText_ = edit_->text();
            // Select after the line edit's own focus handling has run.
            QTimer::singleShot(0, edit_, [e = edit_] {
                if (e->hasFocus()) e->selectAll();
            });
            edit_->selectAll();
            return false;
        }
        case QEvent::FocusOut: {
            const double v = GetData();
            if (fits(v)) {
                if (auto shown = showThroughPicture(picture_, flags_, static_cast<long long>(v)))
                    edit_->setText(*shown);
            } else {
                edit_->setText(focusText_);
            }
            return false;
        }
        default:
            return false;
    }
}

void attachNumericFields(QObject* root) {
    for (QLineEdit* edit : root->findChildren<QLineEdit*>())
        if (!edit->property("picture").toString().isEmpty() && !CEditN::of(edit)) new CEditN(edit);
}

}  // namespace gui
