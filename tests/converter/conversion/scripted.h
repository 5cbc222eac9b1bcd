// A scripted engine and run host for driving the conversion runs in tests.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "conversion/address_engine.h"
#include "conversion/run_host.h"

namespace converter_test {

// Answers from a table of addresses; anything else is not placed.
class ScriptedEngine : public converter::AddressEngine {
  public:
    bool opens = true;
    bool hasWorkers = false;  // makeWorker gives copies of this engine
    int hyphen = 0;
    std::map<std::string, converter::EngineAnswer> answers;
    std::vector<std::string> asked;
    std::string lastJis;

    void place(const std::string& address, const std::string& code7, int flags = 1,
               const std::string& oldCode = "123  ", const std::string& jis = "13101") {
        answers[address] = {flags, oldCode, code7, "1000001-2-3"};
        jisCodes[address] = jis;
    }
    bool open() override { return opens; }
    int hyphenMode() override { return hyphen; }
    void setHyphenMode(int mode) override { hyphen = mode; }
    converter::EngineAnswer lookup(const std::string& address) override {
        asked.push_back(address);
        auto it = answers.find(address);
        lastJis = jisCodes.count(address) ? jisCodes[address] : "00000";
        if (it == answers.end()) return {0, "", "ERR-001", ""};
        return it->second;
    }
    std::string jisCodeNow() override { return lastJis; }
    std::unique_ptr<converter::AddressEngine> makeWorker() override {
        if (!hasWorkers) return nullptr;
        auto worker = std::make_unique<ScriptedEngine>(*this);
        worker->asked.clear();
        return worker;
    }

  private:
    std::map<std::string, std::string> jisCodes;
};

// Records what the run shows; the stop button is "pressed" before a given
// pump, and questions are answered from a list.
class ScriptedHost : public converter::RunHost {
  public:
    std::vector<int> messages;
    std::vector<std::string> questions;
    std::vector<bool> answers;  // answers to ask(), in order; Yes when exhausted
    std::vector<std::string> informs;
    std::int32_t errorCount = 0;
    std::uint32_t finalCount = 0;
    int stopAtPump = 0;  // 1-based pump that sets the stop request, 0 never
    int pumps = 0;
    bool stop = false;
    std::uint32_t ticks = 1000;
    std::uint32_t tickStep = 0;

    void pumpEvents() override {
        if (++pumps == stopAtPump) stop = true;
    }
    void showProgress(std::uint32_t processed, bool final, double) override {
        if (final) finalCount = processed;
    }
    void showErrorCount(std::int32_t count) override { errorCount = count; }
    void showMessage(int code) override { messages.push_back(code); }
    bool ask(std::string_view text, std::string_view) override {
        questions.emplace_back(text);
        if (answers.empty()) return true;
        bool a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
    void inform(std::string_view text, std::string_view, converter::MessageIcon) override {
        informs.emplace_back(text);
    }
    bool stopRequested() override { return stop; }
    void clearStopRequest() override { stop = false; }
    std::uint32_t tickCount() override {
        std::uint32_t t = ticks;
        ticks += tickStep;
        return t;
    }
};

}  // namespace converter_test
