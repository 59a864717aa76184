// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the tags of a list of files ahead of the one thread that decides.
//
// A command that goes through files one by one (Rename, the tag cleaner)
// spends most of its time waiting for each file's blocks in turn when the
// disk is cold or far away. A small pool of worker threads reads and parses
// the tags of the files in list order, ahead of the consumer, so that many
// requests are in flight at once; the consumer still takes the files one at
// a time, in its own order, and makes every decision itself. A file whose
// size or modification time changed between its read and its use is read
// again, so the consumer sees what reading the file at that moment gives.
//
// The pool is bounded: it keeps at most `filesAhead` parsed files that the
// consumer has not taken, runs at most kMostThreads workers whatever it is
// asked for, and stops (joining its threads) when the object goes away, for
// instance when the command ends or is cancelled. A thread the system refuses
// (a limit on processes) is no failure: the pool goes on with the workers it
// has, and with none every file is read when it is taken, as without it.
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "tags/Id3v1Record.h"
#include "tags/Id3v2Record.h"
#include "tags/TagFile.h"
#include "tags/TagSource.h"
#include "tags/TagSupport.h"

namespace tagnomen {

// Starts a thread that runs `work`. Like std::thread's constructor, it throws
// std::system_error when the system refuses the thread.
using ThreadStarter = std::function<std::thread(std::function<void()> work)>;

class TagReadAhead final : public TagSource {
  public:
    // More workers than this only take turns on the cores and the disk; a
    // stored setting of a million would otherwise start a thread per file.
    static constexpr unsigned kMostThreads = 64;

    struct Limits {
        unsigned threads = 8;          // 0: no workers; every file is read when it is taken
        std::size_t filesAhead = 256;  // parsed files held for the consumer at most
        ThreadStarter startThread;     // empty: std::thread itself
    };

    // Starts reading `names` (bare names of files in `directory`, an
    // absolute path) in order.
    TagReadAhead(std::string directory, std::vector<std::string> names, TagSupport support,
                 Limits limits);
    ~TagReadAhead() override;
    TagReadAhead(const TagReadAhead&) = delete;
    TagReadAhead& operator=(const TagReadAhead&) = delete;

    // The tags of the file of that name, read ahead when it is one of the
    // list (waiting for its worker when needed) and read now otherwise, or
    // when it changed since it was read ahead.
    FileTags Take(const std::string& name) override;

    // The most parsed files held at once, for the benchmarks.
    std::size_t PeakHeld() const;
    // The most workers this pool starts (the threads asked for, capped).
    unsigned ThreadLimit() const { return limits_.threads; }
    // The workers started so far.
    std::size_t WorkersStarted() const;

  private:
    static constexpr std::size_t kNothingAwaited = static_cast<std::size_t>(-1);

    // One file of the list: its tags once a worker has read them.
    struct Slot {
        std::atomic<bool> ready{false};
        std::unique_ptr<FileTags> tags;
    };

    void Work();
    // Moves the consumer to `index`, dropping what was read of the files before it.
    void PassOver(std::size_t index);
    // Wakes the workers waiting for room (the consumer only).
    void GiveRoom();
    // With mutex_ held. False when the system refused a thread: no more
    // are tried, the workers there carry on alone.
    bool StartWorker();
    FileTags ReadNow(const std::string& name) const { return ReadFileTags(PathOf(name), support_); }
    std::string PathOf(const std::string& name) const;

    const std::string directory_;
    const std::vector<std::string> names_;
    const TagSupport support_;
    const Limits limits_;
    std::unordered_map<std::string, std::size_t> positions_;
    std::unique_ptr<Slot[]> slots_;

    // Claims and hand-overs go through atomics; the mutex is taken only to
    // sleep and to wake: a worker ahead by the limit, the consumer waiting
    // for a file not read yet.
    std::atomic<std::size_t> nextToRead_{0};  // the next index a worker claims
    std::atomic<std::size_t> nextToTake_{0};  // files before it are taken or passed over
    std::atomic<std::size_t> awaited_{kNothingAwaited};
    std::atomic<int> waitingForRoom_{0};
    std::size_t roomGivenAt_ = 0;  // nextToTake_ when the waiting workers were last woken
    std::atomic<std::size_t> held_{0};
    std::atomic<std::size_t> peakHeld_{0};
    std::atomic<bool> stopping_{false};
    bool threadRefused_ = false;  // with mutex_ held
    // No worker could be started: the consumer reads every file itself.
    bool sequential_ = false;
    mutable std::mutex mutex_;
    std::condition_variable room_;
    std::condition_variable arrived_;
    std::vector<std::thread> workers_;
};

}  // namespace tagnomen
