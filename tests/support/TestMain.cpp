// SPDX-License-Identifier: GPL-3.0-or-later
// The main of the GoogleTest suites. They test the naming rules of old unless
// a test turns "MusicAwareNames" on itself (an overlay of its own store, or
// --set for the command line): $TAGNOMEN_SET turns it off for every store of
// the process and for the programs the tests start.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("TAGNOMEN_SET", "MusicAwareNames=0", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
