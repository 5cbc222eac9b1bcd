// What a conversion run needs of the postal-code engine. The program goes
// through the library's exports (KesZipEngine); tests give a scripted engine.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace converter {

struct EngineAnswer {
    int flags = 0;              // 0 not placed; else 1, 2, 4, 8, 16 as the engine sets them
    std::string oldCode;        // 5-digit code output
    std::string code7;          // 7-digit code output (error text when not placed)
    std::string addressNumber;  // customer-barcode data
};

class AddressEngine {
  public:
    virtual ~AddressEngine() = default;
    virtual bool open() = 0;
    virtual int hyphenMode() = 0;
    virtual void setHyphenMode(int mode) = 0;
    virtual EngineAnswer lookup(const std::string& address) = 0;
    // Local-government code of the last lookup.
    virtual std::string jisCodeNow() = 0;
    // Another engine over the same dictionary, for another thread (it is
    // opened before use); null when there is none.
    virtual std::unique_ptr<AddressEngine> makeWorker() { return nullptr; }
};

// The engine of the process, through the library's exported functions; its
// workers are engine handles over the same dictionary data.
class KesZipEngine final : public AddressEngine {
  public:
    bool open() override;
    int hyphenMode() override;
    void setHyphenMode(int mode) override;
    EngineAnswer lookup(const std::string& address) override;
    std::string jisCodeNow() override;
    std::unique_ptr<AddressEngine> makeWorker() override;
    // The folders the library looks for its dictionary files in, in order.
    static std::vector<std::string> dictionaryFolders();
};

}  // namespace converter
