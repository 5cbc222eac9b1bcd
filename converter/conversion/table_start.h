// Starting a table run, the same for the desktop page and the command line:
// opening the table, the page's checks in their fixed order, the range of a
// partial run, the settings the page keeps, the start question, the backup
// copy and its question, the run and its end code's message. The front end
// shows the messages, answers the questions and hosts the run.
#pragma once

#include <string_view>

#include "conversion_job.h"
#include "settings.h"
#include "table.h"
#include "table_page.h"

namespace converter {

class TableRunFront {
  public:
    virtual ~TableRunFront() = default;
    // A refused field: the numbered message, and in a window the focus.
    virtual void refuse(const TablePageCheck& check) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool ask(std::string_view text, std::string_view caption) = 0;
    // The record range of a partial run, put into the job; false when the
    // user cancelled (or the range was refused, with its message shown).
    virtual bool askRange(ConversionJob& job) = 0;
    // Runs over the open table; the end code.
    virtual int run(const ConversionJob& job, const TableJob& tableJob, Table& table) = 0;
    // The end code's numbered message (codes 1 to 4).
    virtual void showMessage(int code) = 0;
};

// Results besides the end codes 0 to 4.
inline constexpr int kTablePageRefused = -2;  // a check failed
inline constexpr int kTableRunDeclined = -1;  // a question answered No or the range cancelled

// `backup` is the page's check box; it is ignored for server databases.
// The database path and the check box go into `options` and `params` once
// the checks have passed, as the page keeps them.
// The table is one of `kind`.
int startTableConversion(const TableKind& kind, const TablePageFields& page, bool partial,
                         bool backup, OptionsBlock& options, CnvParamBlock& params,
                         TableRunFront& front);

}  // namespace converter
