#include "tags/TagReadAhead.h"

#include <algorithm>
#include <memory>

namespace tagnomen {

TagReadAhead::TagReadAhead(std::string directory, std::vector<std::string> names,
                           TagSupport support, Limits limits)
    : directory_(std::move(directory)),
      names_(std::move(names)),
      support_(support),
      limits_(limits),
      ready_(names_.size()),
      done_(names_.size(), false) {
    positions_.reserve(names_.size());
    for (std::size_t i = names_.size(); i-- > 0;) {
        positions_[names_[i]] = i;  // the first of equal names wins
    }
    const std::size_t threads = std::min<std::size_t>(limits_.threads, names_.size());
    for (std::size_t i = 0; i < threads; ++i) {
        workers_.emplace_back([this] { Work(); });
    }
}

TagReadAhead::~TagReadAhead() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    progress_.notify_all();
    for (std::thread& worker : workers_) {
        worker.join();
    }
}

std::string TagReadAhead::PathOf(const std::string& name) const {
    return directory_.empty() || directory_.back() == '/' ? directory_ + name
                                                          : directory_ + "/" + name;
}

FileTags ReadFileTags(const std::string& path, TagSupport support) {
    FileTags tags(support);
    const TagFile file(path);
    tags.stamp = file.Stamp();
    tags.id3v2Result = tags.id3v2.ReadTag(file);
    tags.id3v1.ReadTag(file);
    return tags;
}

void TagReadAhead::Work() {
    for (;;) {
        std::size_t index = 0;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            // Never further ahead of the consumer than the limit allows.
            progress_.wait(lock, [this] {
                return stopping_ || (nextToRead_ < names_.size() &&
                                     nextToRead_ < nextToTake_ + limits_.filesAhead);
            });
            if (stopping_) {
                return;
            }
            index = nextToRead_++;
        }
        auto tags = std::make_unique<FileTags>(ReadNow(names_[index]));
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            ready_[index] = std::move(tags);
            done_[index] = true;
            peakHeld_ = std::max(peakHeld_, ++held_);
        }
        progress_.notify_all();
    }
}

FileTags TagReadAhead::Take(const std::string& name) {
    const auto found = positions_.find(name);
    if (workers_.empty() || found == positions_.end()) {
        return ReadNow(name);
    }
    const std::size_t index = found->second;
    std::unique_ptr<FileTags> tags;
    {
        std::unique_lock<std::mutex> lock(mutex_);
        if (index < nextToTake_) {
            lock.unlock();
            return ReadNow(name);  // taken before, or passed over: nothing is held for it
        }
        progress_.wait(lock, [this, index] { return done_[index]; });
        tags = std::move(ready_[index]);
        --held_;
        // Files passed over are not waited for any more; what was read of them goes.
        for (std::size_t i = nextToTake_; i < index; ++i) {
            if (ready_[i]) {
                ready_[i].reset();
                --held_;
            }
        }
        nextToTake_ = index + 1;
    }
    progress_.notify_all();
    // What the decisions use is what the file holds now.
    if (StampOf(PathOf(name)) != tags->stamp) {
        return ReadNow(name);
    }
    return std::move(*tags);
}

std::size_t TagReadAhead::PeakHeld() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return peakHeld_;
}

}  // namespace tagnomen
