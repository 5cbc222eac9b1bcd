// The part shared by the standard-text, SDF and CSV pages: their controls
// by id, filling them from the settings, reading them back as the page's
// fields, the browse buttons, the marker box, and the two run buttons
// ("全件変換", "一部変換") that go through the common start of a run.
#pragma once

#include <array>

#include "conversion/conversion_run.h"
#include "conversion/page_checks.h"
#include "tab_page.h"

class QLineEdit;

namespace gui {

// The control ids of one conversion page; 0 where the page has no such control.
struct ConversionPageIds {
    converter::SourceKind kind;
    int source, sourceBrowse, destination, destinationBrowse;
    std::array<int, 4> starts;  // CSV: field numbers
    std::array<int, 4> sizes;
    int insert;
    int markerCheck, marker;
    int lineBreaks, fixedLength, recordLength;  // SDF
    int quoted, unquoted;                       // CSV
    int runAll, runPart;
    const char* filter;  // the browse dialogs' filter, "Name|patterns|...||"
};

class ConversionPage : public TabPage {
    Q_OBJECT

  public:
    ConversionPage(ProgramContext& context, int templateId, int hintKind,
                   const ConversionPageIds& ids, QWidget* parent = nullptr);

    // Stores the numeric fields into the settings; always leaves.
    int CanLeave() override;
    void fill() override;

    // The page's fields as typed.
    converter::PageFields fields() const;
    // "全件変換" (false) or "一部変換" (true). Returns what startConversion
    // returned, or kRunDeclined when the range dialog was cancelled.
    int startRun(bool partial);

  protected:
    // Called by the derived page once its template is set up.
    void wireControls();

  private:
    QLineEdit* edit(int id) const;
    int number(int id) const;
    void setNumber(int id, int value);
    void browse(int editId, bool forWriting);
    void updateEnabled();
    int focusIdOf(converter::PageField field) const;

    ConversionPageIds ids_;
    friend class PageRunStarter;
};

}  // namespace gui
