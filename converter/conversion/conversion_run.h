// One conversion run of a text, SDF or CSV source: opens the files and the
// engine, goes through the records, counts and lists the failures, honours
// the partial range, the error maximum and the user's stop, and reports the
// elapsed time. The result is the run's end code.
#pragma once

#include <string>

#include "address_engine.h"
#include "conversion_job.h"
#include "run_host.h"
#include "workbook.h"

namespace converter {

enum class SourceKind { Text, Sdf, Csv, Excel };

// End codes of a run.
inline constexpr int kRunEnded = 0;
inline constexpr int kSourceNotOpened = 1;
inline constexpr int kDestinationNotOpened = 2;
inline constexpr int kErrorFileNotOpened = 3;
inline constexpr int kEngineNotOpened = 4;

// The error file's path: a bare name lies in `bareNameFolder` ("" for the
// current folder), any other name is used as given.
std::string errorFilePath(const std::string& name, const std::string& bareNameFolder);

int TextRun(const ConversionJob& job, AddressEngine& engine, RunHost& host,
            const std::string& bareNameFolder);
int SdfRun(const ConversionJob& job, AddressEngine& engine, RunHost& host,
           const std::string& bareNameFolder);
int CsvRun(const ConversionJob& job, AddressEngine& engine, RunHost& host,
           const std::string& bareNameFolder);

// Excel runs read and write through `workbooks`; without it they end with code 1.
int runConversion(SourceKind kind, const ConversionJob& job, AddressEngine& engine, RunHost& host,
                  const std::string& bareNameFolder, WorkbookKind* workbooks = nullptr);

}  // namespace converter
