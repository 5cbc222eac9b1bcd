// The search page (template 130), the first page of the main window: one
// address typed and its codes shown, and the three further searches.
#pragma once

#include <memory>
#include <string>

#include "gui/tab_page.h"

namespace Ui {
class SearchPageForm;
}

namespace gui {

class SearchPage : public TabPage {
    Q_OBJECT

  public:
    explicit SearchPage(ProgramContext& context, QWidget* parent = nullptr);
    ~SearchPage() override;

    // Button "検索": the codes of the prefecture choice and the typed address.
    void lookUp();
    // The three buttons of "その他の検索".
    void openCodeSearch();
    void openTextSearch();
    void openOfficeSearch();

    // The prefecture index of the last lookup ("KenNo" of the settings).
    int savedPrefecture() { return context().options.KenNo; }

  private:
    // Puts a dialog's chosen address into the address edit and looks it up
    // without reporting a failure.
    void takePickedAddress();

    std::unique_ptr<Ui::SearchPageForm> ui_;
    bool reportFailure_ = true;
    // The address chosen in the code or text search (Shift-JIS, at most 2047 bytes).
    std::string pickedAddress_;
};

}  // namespace gui
