#include "lookup_ahead.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "run_frame.h"

namespace converter {

// The read-ahead: the calling thread reads batches of records and computes
// their addresses; worker threads, one engine each, look the batches up; the
// calling thread hands the records out in order as the run asks for them.
class LookupAhead::Pipeline final : public RecordSource, public AddressEngine {
  public:
    Pipeline(const ConversionJob& job, TextRecordSource& source, AddressEngine& engine,
             const AddressOf& addressOf)
        : job_(job), source_(source), engine_(engine), addressOf_(addressOf) {}

    ~Pipeline() override { stopWorkers(); }

    // RecordSource
    bool open(const std::string& path) override { return source_.open(path); }
    bool next(std::uint32_t& number) override {
        if (workers_.empty()) return source_.next(number);
        for (;;) {
            if (current_ && position_ < current_->items.size()) {
                Item& item = current_->items[position_++];
                source_.record().swap(item.record);
                number = item.number;
                fraction_ = item.fraction;
                delivered_ = &item;
                return true;
            }
            delivered_ = nullptr;
            current_.reset();
            topUp();
            if (inFlight_.empty()) return false;
            std::shared_ptr<Batch> front = inFlight_.front();
            {
                std::unique_lock<std::mutex> lock(mutex_);
                batchDone_.wait(lock, [&] { return front->done; });
            }
            inFlight_.pop_front();
            if (front->failure) std::rethrow_exception(front->failure);
            current_ = std::move(front);
            position_ = 0;
        }
    }
    double fraction() const override { return workers_.empty() ? source_.fraction() : fraction_; }

    // AddressEngine
    bool open() override {
        if (!engine_.open()) return false;
        startWorkers();
        return true;
    }
    int hyphenMode() override { return engine_.hyphenMode(); }
    // The workers take the mode when they start: a run sets it before.
    void setHyphenMode(int mode) override { engine_.setHyphenMode(mode); }
    EngineAnswer lookup(const std::string& address) override {
        answeredAhead_ = delivered_ && delivered_->address == address;
        return answeredAhead_ ? delivered_->answer : engine_.lookup(address);
    }
    std::string jisCodeNow() override {
        return answeredAhead_ ? delivered_->jis : engine_.jisCodeNow();
    }
    std::unique_ptr<AddressEngine> makeWorker() override { return engine_.makeWorker(); }

    // The current record's address, as computed ahead.
    const std::string* address() const { return delivered_ ? &delivered_->address : nullptr; }

  private:
    struct Item {
        std::string record;
        std::uint32_t number = 0;
        double fraction = 0;
        std::string address;
        EngineAnswer answer;
        std::string jis;
    };
    struct Batch {
        std::vector<Item> items;
        bool done = false;
        std::exception_ptr failure;
    };
    static constexpr std::size_t kBatchRecords = 256;

    void startWorkers() {
        if (job_.threads <= 1 || !workers_.empty()) return;
        for (unsigned i = 0; i < job_.threads; ++i) {
            std::unique_ptr<AddressEngine> worker = engine_.makeWorker();
            // Without engines of its own the run looks up one record at a time.
            if (!worker || !worker->open()) {
                engines_.clear();
                return;
            }
            worker->setHyphenMode(engine_.hyphenMode());
            engines_.push_back(std::move(worker));
        }
        for (unsigned i = 0; i < job_.threads; ++i)
            workers_.emplace_back([this, i] { work(*engines_[i]); });
    }

    void stopWorkers() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            waiting_.clear();
            closing_ = true;
        }
        workReady_.notify_all();
        for (auto& worker : workers_) worker.join();
        workers_.clear();
    }

    void work(AddressEngine& engine) {
        for (;;) {
            Batch* batch = nullptr;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                workReady_.wait(lock, [&] { return closing_ || !waiting_.empty(); });
                if (waiting_.empty()) return;
                batch = waiting_.front();
                waiting_.pop_front();
            }
            try {
                for (Item& item : batch->items) {
                    item.answer = engine.lookup(item.address);
                    item.jis = engine.jisCodeNow();
                }
            } catch (...) {
                batch->failure = std::current_exception();
            }
            std::lock_guard<std::mutex> lock(mutex_);
            batch->done = true;
            batchDone_.notify_all();
        }
    }

    // Reads batches until enough are in flight to keep every worker busy
    // while the run writes. Records before a partial range are passed over
    // (the run would skip them) and reading ends after its last record.
    void topUp() {
        const std::size_t limit = 4 * static_cast<std::size_t>(job_.threads);
        while (!ended_ && inFlight_.size() < limit) {
            auto batch = std::make_shared<Batch>();
            batch->items.reserve(kBatchRecords);
            std::uint32_t number = 0;
            std::string cut;
            while (batch->items.size() < kBatchRecords) {
                if (!source_.next(number) || (job_.partial && number > job_.lastRecord)) {
                    ended_ = true;
                    break;
                }
                if (job_.partial && number < job_.firstRecord) continue;
                Item item;
                item.record = source_.record();
                item.number = number;
                item.fraction = source_.fraction();
                cut = item.record;
                cutLineEnd(cut);
                item.address = addressOf_(cut);
                batch->items.push_back(std::move(item));
            }
            if (batch->items.empty()) break;
            std::lock_guard<std::mutex> lock(mutex_);
            inFlight_.push_back(batch);
            waiting_.push_back(batch.get());
            workReady_.notify_one();
        }
    }

    const ConversionJob& job_;
    TextRecordSource& source_;
    AddressEngine& engine_;
    const AddressOf& addressOf_;  // the LookupAhead's

    std::vector<std::unique_ptr<AddressEngine>> engines_;
    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::condition_variable workReady_, batchDone_;
    std::deque<Batch*> waiting_;  // made, not yet taken by a worker
    bool closing_ = false;

    // The calling thread's side.
    std::deque<std::shared_ptr<Batch>> inFlight_;  // made, not yet handed out, in order
    std::shared_ptr<Batch> current_;
    std::size_t position_ = 0;
    const Item* delivered_ = nullptr;
    bool answeredAhead_ = false;
    bool ended_ = false;
    double fraction_ = 0;
};

LookupAhead::LookupAhead(const ConversionJob& job, TextRecordSource& source, AddressEngine& engine,
                         AddressOf addressOf)
    : source_(source), engine_(engine), addressOf_(std::move(addressOf)) {
    if (job.threads > 1) pipeline_ = std::make_unique<Pipeline>(job, source, engine, addressOf_);
}

std::string LookupAhead::address(const std::string& record) const {
    if (pipeline_)
        if (const std::string* ahead = pipeline_->address()) return *ahead;
    return addressOf_(record);
}

LookupAhead::~LookupAhead() = default;

RecordSource& LookupAhead::source() {
    if (pipeline_) return *pipeline_;
    return source_;
}

AddressEngine& LookupAhead::engine() {
    if (pipeline_) return *pipeline_;
    return engine_;
}

}  // namespace converter
