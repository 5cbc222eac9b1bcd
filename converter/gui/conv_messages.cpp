#include "conv_messages.h"

#include "conversion/messages.h"
#include "sjis_qt.h"
#include "user_dialogs.h"

namespace gui {

void ShowConvMessage(QWidget* owner, int code) {
    if (!converter::isKnownMessage(code)) return;
    warning(owner, fromSjis(converter::messageText(code)),
            fromSjis(converter::messageCaption(code)));
}

}  // namespace gui
