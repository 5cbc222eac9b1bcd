#include "search_messages.h"

#include "messages.h"
#include "sjis_qt.h"
#include "user_dialogs.h"

namespace gui {

void showSearchMessage(QWidget* owner, int code) {
    warning(owner, fromSjis(converter::messageText(code)),
            fromSjis(converter::messageCaption(code)));
}

}  // namespace gui
