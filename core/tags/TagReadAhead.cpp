// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/TagReadAhead.h"

#include <algorithm>
#include <chrono>
#include <system_error>

namespace tagnomen {

namespace {

// Workers that start with the command. More join only while reads are slow
// (a cold disk, a far share): in the page cache a read takes microseconds,
// and more threads than cores would only take turns with the consumer.
constexpr std::size_t kFirstWorkers = 2;
// Reads slower than this, several in a row, tell a disk or share that
// answers slowly (a single one may be a thread that had to wait for a core).
constexpr auto kSlowRead = std::chrono::microseconds(200);
constexpr int kSlowReadsInARow = 2;
constexpr int kYieldsBeforeSleep = 16;
// Workers waiting for room are woken once the consumer has taken this many
// files, not after every file: each wake-up of all of them costs a turn on
// the mutex per worker, and only one of them would find room.
constexpr std::size_t kRoomBatch = 32;

TagReadAhead::Limits Capped(TagReadAhead::Limits limits) {
    limits.threads = std::min(limits.threads, TagReadAhead::kMostThreads);
    return limits;
}

}  // namespace

TagReadAhead::TagReadAhead(std::string directory, std::vector<std::string> names,
                           TagSupport support, Limits limits)
    : directory_(std::move(directory)),
      names_(std::move(names)),
      support_(support),
      limits_(Capped(std::move(limits))),
      slots_(std::make_unique<Slot[]>(names_.size())) {
    // Room for every worker up front: a thread started is never lost to a
    // vector that cannot grow.
    workers_.reserve(limits_.threads);
    positions_.reserve(names_.size());
    for (std::size_t i = names_.size(); i-- > 0;) {
        positions_[names_[i]] = i;  // the first of equal names wins
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    const std::size_t first =
        std::min({kFirstWorkers, std::size_t{limits_.threads}, names_.size()});
    for (std::size_t i = 0; i < first; ++i) {
        if (!StartWorker()) {
            break;
        }
    }
    sequential_ = workers_.empty();
}

TagReadAhead::~TagReadAhead() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    room_.notify_all();
    // No worker starts once stopping is set; those there all end.
    for (std::size_t joined = 0;; ++joined) {
        std::thread worker;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            if (joined == workers_.size()) {
                break;
            }
            worker = std::move(workers_[joined]);
        }
        worker.join();
    }
}

std::string TagReadAhead::PathOf(const std::string& name) const {
    return directory_.empty() || directory_.back() == '/' ? directory_ + name
                                                          : directory_ + "/" + name;
}

bool TagReadAhead::StartWorker() {
    if (threadRefused_) {
        return false;
    }
    std::function<void()> work = [this] { Work(); };
    try {
        workers_.push_back(limits_.startThread ? limits_.startThread(std::move(work))
                                               : std::thread(std::move(work)));
    } catch (const std::system_error&) {
        // The system's limit: asking again for every file would only fail again.
        threadRefused_ = true;
        return false;
    }
    return true;
}

void TagReadAhead::Work() {
    int slowReads = 0;
    for (;;) {
        const std::size_t index = nextToRead_.fetch_add(1);
        if (index >= names_.size() || stopping_) {
            return;
        }
        // Never further ahead of the consumer than the limit allows.
        auto hasRoom = [this, index] {
            return stopping_ || index < nextToTake_ + limits_.filesAhead;
        };
        if (!hasRoom()) {
            std::unique_lock<std::mutex> lock(mutex_);
            ++waitingForRoom_;
            room_.wait(lock, hasRoom);
            --waitingForRoom_;
        }
        if (stopping_) {
            return;
        }
        const auto start = std::chrono::steady_clock::now();
        Slot& slot = slots_[index];
        slot.tags = std::make_unique<FileTags>(ReadNow(names_[index]));
        slot.ready = true;
        const std::size_t held = ++held_;
        for (std::size_t peak = peakHeld_;
             held > peak && !peakHeld_.compare_exchange_weak(peak, held);) {
        }
        if (awaited_ == index) {
            const std::lock_guard<std::mutex> lock(mutex_);
            arrived_.notify_one();
        }
        slowReads = std::chrono::steady_clock::now() - start > kSlowRead ? slowReads + 1 : 0;
        if (slowReads >= kSlowReadsInARow) {
            slowReads = 0;
            const std::lock_guard<std::mutex> lock(mutex_);
            if (!stopping_ && workers_.size() < limits_.threads) {
                StartWorker();
            }
        }
    }
}

FileTags TagReadAhead::Take(const std::string& name) {
    const auto found = positions_.find(name);
    if (sequential_ || found == positions_.end() || found->second < nextToTake_) {
        return ReadNow(name);  // not read ahead, or taken or passed over already
    }
    const std::size_t index = found->second;
    PassOver(index);
    Slot& slot = slots_[index];
    // A file about to arrive is worth a few yields before a sleep, which
    // costs two context switches.
    for (int i = 0; i < kYieldsBeforeSleep && !slot.ready; ++i) {
        std::this_thread::yield();
    }
    if (!slot.ready) {
        GiveRoom();  // its worker may be among those waiting
        std::unique_lock<std::mutex> lock(mutex_);
        // The workers do not keep up: one more joins them.
        if (workers_.size() < limits_.threads) {
            StartWorker();
        }
        awaited_ = index;
        arrived_.wait(lock, [&slot] { return slot.ready.load(); });
        awaited_ = kNothingAwaited;
    }
    std::unique_ptr<FileTags> tags = std::move(slot.tags);
    --held_;
    nextToTake_ = index + 1;
    if (nextToTake_ >=
        roomGivenAt_ + std::clamp<std::size_t>(limits_.filesAhead / 4, 1, kRoomBatch)) {
        GiveRoom();
    }
    // What the decisions use is what the file holds now.
    if (StampOf(PathOf(name)) != tags->stamp) {
        return ReadNow(name);
    }
    return std::move(*tags);
}

void TagReadAhead::PassOver(std::size_t index) {
    if (index == nextToTake_) {
        return;
    }
    // Files passed over are not waited for any more; what was read of them goes.
    for (std::size_t i = nextToTake_; i < index; ++i) {
        if (slots_[i].ready && slots_[i].tags) {
            slots_[i].tags.reset();
            --held_;
        }
    }
    nextToTake_ = index;
    GiveRoom();
}

void TagReadAhead::GiveRoom() {
    roomGivenAt_ = nextToTake_;
    if (waitingForRoom_ > 0) {
        const std::lock_guard<std::mutex> lock(mutex_);
        room_.notify_all();
    }
}

std::size_t TagReadAhead::PeakHeld() const {
    return peakHeld_;
}

std::size_t TagReadAhead::WorkersStarted() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return workers_.size();
}

}  // namespace tagnomen
