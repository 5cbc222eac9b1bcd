// The Excel page (template 138): the address pieces of up to four columns of
// one sheet converted into a column of a copy of the workbook. The sheet
// list is refilled from the source workbook each time it drops down, with
// the sheets that have rows. The settings fill the page once; unlike the
// text, SDF and CSV pages it keeps what was typed when it is shown or hidden.
#pragma once

#include <memory>

#include "conversion/page_checks.h"
#include "tab_page.h"

namespace Ui {
class ExcelPageForm;
}

namespace gui {

class ExcelPage : public TabPage {
    Q_OBJECT

  public:
    explicit ExcelPage(ProgramContext& context, QWidget* parent = nullptr);
    ~ExcelPage() override;

    // Keeps the column choices in the settings; always leaves.
    int CanLeave() override;
    void fill() override;

    // The page's fields as chosen: column numbers are the list entries.
    converter::PageFields fields() const;
    // "全件変換" (false) or "一部変換" (true); what startConversion returned,
    // or kRunDeclined when the range dialog was cancelled.
    int startRun(bool partial);
    // Empties the sheet list and fills it from the source workbook.
    void refillSheets();
    // The five column lists with an empty entry and `columns` letters (256
    // up to "IV" for binary workbooks, 16,384 up to "XFD" for .xlsx), the
    // choices kept where they still exist.
    void fillColumnLists(int columns);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void browse(int editId);
    int focusIdOf(converter::PageField field) const;

    std::unique_ptr<Ui::ExcelPageForm> ui_;
    bool filled_ = false;
    friend class ExcelRunStarter;
};

}  // namespace gui
