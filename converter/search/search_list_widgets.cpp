#include "search_list_widgets.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QStringList>

#include "gui/sjis_qt.h"

namespace gui {
namespace {

constexpr int kBytesRole = Qt::UserRole;

}  // namespace

void showListing(QListWidget* list, QLabel* label, const converter::search::Listing& listing) {
    // The lines are converted in one go, NUL-separated (no line holds a NUL):
    // the text search lists thousands of lines on a keystroke.
    std::string joined;
    for (const std::string& line : listing.lines) {
        joined += line;
        joined += '\0';
    }
    const QStringList texts = fromSjis(joined).split(QChar(0));
    list->setUpdatesEnabled(false);
    list->clear();
    for (std::size_t i = 0; i < listing.lines.size(); ++i) {
        const std::string& line = listing.lines[i];
        auto* item = new QListWidgetItem(texts.value(static_cast<qsizetype>(i)), list);
        item->setData(kBytesRole, QByteArray(line.data(), static_cast<qsizetype>(line.size())));
    }
    list->setUpdatesEnabled(true);
    label->setText(fromSjis(listing.label));
}

bool selectedLineBytes(const QListWidget* list, std::string& bytes) {
    const auto selected = list->selectedItems();
    if (selected.isEmpty()) return false;
    const QByteArray data = selected.first()->data(kBytesRole).toByteArray();
    bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    return true;
}

ListChoiceWatcher::ListChoiceWatcher(QListWidget* list) : QObject(list) {
    list->installEventFilter(this);
    connect(list, &QListWidget::itemDoubleClicked, this, &ListChoiceWatcher::chosen);
}

bool ListChoiceWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit chosen();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace gui
