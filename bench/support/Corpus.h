// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Generated directories of MP3 files for the benchmarks.
#include <string>

namespace tagnomen::bench {

struct CorpusOptions {
    int files = 10000;
    bool withId3v1 = true;
    bool withId3v2 = true;
    int audioBytes = 4096;  // bytes of fake audio between the tags
    bool messyNames = false;
};

// Creates a fresh directory below $TMPDIR holding the files; returns its path.
std::string MakeCorpus(const CorpusOptions& options);
void RemoveCorpus(const std::string& path);

// A messy old file name such as "03 - the beatles - help!.mp3", varied by index.
std::string MessyName(int index);

}  // namespace tagnomen::bench
