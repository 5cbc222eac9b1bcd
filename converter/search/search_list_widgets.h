// Putting a search listing into a dialog's list and label. The list keeps
// each line's Shift-JIS bytes beside its display text, so that a chosen
// line is handed on (or split) from the engine's own bytes.
#pragma once

#include <QObject>
#include <string>

#include "search/core/search_listings.h"

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace gui {

// Empties the list, then lists the lines and sets the label.
void showListing(QListWidget* list, QLabel* label, const converter::search::Listing& listing);
// The Shift-JIS bytes of the selected line; false when no line is selected.
bool selectedLineBytes(const QListWidget* list, std::string& bytes);

// Reports Enter pressed while a list has the focus, and keeps the key from
// reaching the dialog's default button; double-clicks report the same.
class ListChoiceWatcher : public QObject {
    Q_OBJECT

  public:
    explicit ListChoiceWatcher(QListWidget* list);

  signals:
    void chosen();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace gui
