// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The questions the smart engine and its garbage passes ask, as tests expect
// them, and the check that the scripted Ui saw exactly those, in order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptedUi.h"

namespace tagnomen::testing {

// One expected call to the Ui: the garbage dialog, or a Yes/No box.
struct Asked {
    std::string kind;  // "garbage" or "question"
    std::string caption;
    std::string text;
    bool showAlbum = false;
    bool showTrack = false;
};

inline Asked Garbage(const std::string& text, const std::string& from, bool album = false,
                     bool track = false) {
    return {"garbage", "Erase the Garbage Text",
            "Do you want to erase: " + text + "\nFrom: " + from, album, track};
}

inline Asked Choose(const std::string& text) {
    return {"question", "Choose the correct File Information", text};
}

inline Asked Choose(const std::string& newValue, const std::string& current,
                    const std::string& kind, const std::string& name) {
    return Choose("Do you want to use " + newValue + " instead of " + current + " as " + kind +
                  "\nFor: " + name);
}

inline Asked Rename(const std::string& name, const std::string& candidate) {
    return {"question", "Erase the garbage text",
            "Do you want to rename: " + name + "\nTo: " + candidate};
}

// The Ui was asked exactly these, in this order; Yes/No boxes carry the question icon.
inline void ExpectAsked(const ScriptedUi& ui, const std::vector<Asked>& asked) {
    ASSERT_EQ(ui.calls.size(), asked.size());
    for (std::size_t i = 0; i < asked.size(); ++i) {
        const UiCall& call = ui.calls[i];
        const Asked& want = asked[i];
        EXPECT_EQ(call.kind, want.kind) << i;
        EXPECT_EQ(call.caption, want.caption) << i;
        EXPECT_EQ(call.text, want.text) << i;
        if (want.kind == "garbage") {
            EXPECT_EQ(call.showAlbum, want.showAlbum) << i;
            EXPECT_EQ(call.showTrack, want.showTrack) << i;
        } else {
            EXPECT_EQ(call.icon, MessageIcon::Question) << i;
        }
    }
}

}  // namespace tagnomen::testing
