// What the main window and its pages share while the program runs: the
// engine, the settings file and the two settings blocks in memory, and the
// folder where a bare error-file name goes.
#pragma once

#include <string>

#include "conversion/address_engine.h"
#include "conversion/settings.h"

namespace gui {

struct ProgramContext {
    converter::AddressEngine& engine;
    converter::SettingsStore store;
    std::string programDirectory;
    converter::OptionsBlock options;
    converter::CnvParamBlock params;
};

}  // namespace gui
