// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Ui.h"

namespace tagnomen {

const char* GarbageAnswerName(GarbageAnswer answer) {
    switch (answer) {
        case GarbageAnswer::Yes:
            return "yes";
        case GarbageAnswer::Album:
            return "album";
        case GarbageAnswer::Track:
            return "track";
        case GarbageAnswer::Stop:
            return "stop";
        case GarbageAnswer::No:
            break;
    }
    return "no";
}

}  // namespace tagnomen
