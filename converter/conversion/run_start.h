// Starting a run from a text, SDF or CSV page, the same for the desktop
// pages and the command line: the page's checks in their fixed order, the
// start question, the overwrite question, the run, and the end code's
// numbered message. The front end answers the questions and hosts the run.
#pragma once

#include <string_view>

#include "conversion_job.h"
#include "conversion_run.h"
#include "page_checks.h"
#include "settings.h"

namespace converter {

class RunStarter {
  public:
    virtual ~RunStarter() = default;
    // A refused field (or the start question refused for message 700): the
    // numbered message, and in a window the focus on the field.
    virtual void refuse(const PageCheck& check) = 0;
    // A question with the caption "確認", Yes and No; true for Yes.
    virtual bool ask(std::string_view text, std::string_view caption) = 0;
    // Runs the job (in the run dialog or on the terminal); the end code.
    virtual int run(SourceKind kind, const ConversionJob& job) = 0;
    // The end code's numbered message (codes 1 to 4).
    virtual void showMessage(int code) = 0;
};

// Results of startConversion besides the end codes 0 to 4.
inline constexpr int kPageRefused = -2;  // a check failed; nothing stored
inline constexpr int kRunDeclined = -1;  // a question answered No

// The checks of the page of `kind`; a pass fills the job and the settings
// the page keeps (names, marker).
PageCheck checkPage(SourceKind kind, const PageFields& page, ConversionJob& job,
                    OptionsBlock& options, CnvParamBlock& params);

// `job` may already hold a partial range. The encoding of a text, SDF or CSV
// source is settled from params.TXTCSVEncoding (and the file, when told from
// it) before the start question, which warns of a UTF-8 file read as
// Shift-JIS. Returns kPageRefused, kRunDeclined or the run's end code.
int startConversion(SourceKind kind, const PageFields& page, ConversionJob& job,
                    OptionsBlock& options, CnvParamBlock& params, RunStarter& front);

// The page's fields as the settings hold them; for CSV the piece starts are
// the field numbers.
PageFields pageFieldsFromSettings(SourceKind kind, const OptionsBlock& options,
                                  const CnvParamBlock& params);
// The numeric fields a page keeps in the settings when it is left and after
// every run attempt that got past the checks.
void storePageNumbers(SourceKind kind, const PageFields& page, CnvParamBlock& params);

}  // namespace converter
