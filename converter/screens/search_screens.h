// The search page and its dialogs for the screenshots, each with a real
// result from the dictionaries.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace gui {
class MainWindow;
}

// Renders search-page, code-search, text-search, office-search and
// office-info through `save` (which shows the widget and writes NAME.png).
void saveSearchScreens(gui::MainWindow& window,
                       const std::function<void(QWidget*, const QString&)>& save);
