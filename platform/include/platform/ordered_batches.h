// Work on several threads whose results must come out in the order the work
// came in: batches are made in order on the calling thread, processed on
// worker threads, and handed back in the order they were made.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace platform {

// `produce(batch)` fills the next batch, false when there is none (it is
// then discarded). `work(worker, batch)` processes a batch on worker
// `worker` (0 to threads - 1; each worker runs one batch at a time, so
// per-worker state needs no lock). `consume(batch)` receives the processed
// batches in their original order on the calling thread; false stops the
// run: no further batch is made or consumed. With one thread everything
// runs on the calling thread. An exception thrown by `work` reaches the
// caller when its batch's turn to be consumed comes.
template <typename Batch>
void runOrderedBatches(unsigned threads, const std::function<bool(Batch&)>& produce,
                       const std::function<void(unsigned, Batch&)>& work,
                       const std::function<bool(Batch&)>& consume) {
    if (threads <= 1) {
        for (;;) {
            Batch batch;
            if (!produce(batch)) return;
            work(0, batch);
            if (!consume(batch)) return;
        }
    }

    struct Slot {
        Batch batch;
        bool done = false;
        std::exception_ptr failure;
    };
    std::mutex mutex;
    std::condition_variable workReady, slotDone;
    std::deque<std::shared_ptr<Slot>> inFlight;  // made, not yet consumed, in order
    std::deque<Slot*> waiting;                   // made, not yet taken by a worker
    bool closing = false;

    std::vector<std::thread> workers;
    auto runWorker = [&](unsigned index) {
        for (;;) {
            Slot* slot = nullptr;
            {
                std::unique_lock<std::mutex> lock(mutex);
                workReady.wait(lock, [&] { return closing || !waiting.empty(); });
                if (waiting.empty()) return;
                slot = waiting.front();
                waiting.pop_front();
            }
            try {
                work(index, slot->batch);
            } catch (...) {
                slot->failure = std::current_exception();
            }
            std::lock_guard<std::mutex> lock(mutex);
            slot->done = true;
            slotDone.notify_all();
        }
    };
    // Stops the workers once every batch they took is finished.
    auto finish = [&] {
        {
            std::lock_guard<std::mutex> lock(mutex);
            waiting.clear();
            closing = true;
        }
        workReady.notify_all();
        for (auto& worker : workers) worker.join();
    };

    // Enough batches in flight to keep every worker busy while the calling
    // thread reads and writes.
    const std::size_t limit = 4 * static_cast<std::size_t>(threads);
    bool more = true;
    try {
        for (unsigned i = 0; i < threads; ++i) workers.emplace_back(runWorker, i);
        for (;;) {
            while (more && inFlight.size() < limit) {
                auto slot = std::make_shared<Slot>();
                if (!produce(slot->batch)) {
                    more = false;
                    break;
                }
                std::lock_guard<std::mutex> lock(mutex);
                inFlight.push_back(slot);
                waiting.push_back(slot.get());
                workReady.notify_one();
            }
            if (inFlight.empty()) break;
            std::shared_ptr<Slot> front = inFlight.front();
            {
                std::unique_lock<std::mutex> lock(mutex);
                slotDone.wait(lock, [&] { return front->done; });
                inFlight.pop_front();
            }
            if (front->failure) std::rethrow_exception(front->failure);
            if (!consume(front->batch)) break;
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

}  // namespace platform
