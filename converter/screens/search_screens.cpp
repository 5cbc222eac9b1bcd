#include "search_screens.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <string>

#include "gui/main_window.h"
#include "gui/page_tab_control.h"
#include "gui/sjis_qt.h"
#include "gui/template_controls.h"
#include "search/code_search_dialog.h"
#include "search/office_search_dialog.h"
#include "search/search_office_dialog_ids.h"
#include "search/search_page.h"
#include "search/search_page_ids.h"
#include "search/text_search_dialog.h"

using namespace gui::ids;

void saveSearchScreens(gui::MainWindow& window,
                       const std::function<void(QWidget*, const QString&)>& save) {
    if (auto* page = window.findChild<gui::SearchPage*>()) {
        window.tabs()->setCurrentIndex(0);
        gui::control<QComboBox>(page, search_page::kPrefectureList)->setCurrentIndex(0);
        gui::control<QLineEdit>(page, search_page::kAddressEdit)
            ->setText(QStringLiteral("東京都千代田区霞が関1-2-3"));
        page->lookUp();
        save(&window, QStringLiteral("search-page"));
    }
    {
        std::string picked;
        gui::CodeSearchDialog codes(std::string("100-0013"), &picked, &window);
        codes.show();
        QCoreApplication::processEvents();  // the search runs once the dialog is up
        save(&codes, QStringLiteral("code-search"));
    }
    {
        std::string text = gui::toSjis(QStringLiteral("東京都千代田区*"));
        gui::TextSearchDialog places(&text, &window);
        save(&places, QStringLiteral("text-search"));
    }
    gui::OfficeSearchDialog offices(&window);
    gui::control<QRadioButton>(&offices, search_office_dialog::kByNameRadio)->click();
    gui::control<QLineEdit>(&offices, search_office_dialog::kNameEdit)
        ->setText(QStringLiteral("トヨタ自動車"));
    gui::control<QComboBox>(&offices, search_office_dialog::kMatchList)
        ->setCurrentIndex(0);  // "あいまい検索"
    gui::control<QPushButton>(&offices, search_office_dialog::kSearchButton)->click();
    auto* hits = gui::control<QListWidget>(&offices, search_office_dialog::kResultList);
    hits->setCurrentRow(0);
    save(&offices, QStringLiteral("office-search"));
    // The detail dialog of the first hit is modal: it is captured and closed once it is up.
    QTimer::singleShot(0, [&save] {
        if (auto* details = QApplication::activeModalWidget()) {
            save(details, QStringLiteral("office-info"));
            details->close();
        }
    });
    offices.showDetails();
}
