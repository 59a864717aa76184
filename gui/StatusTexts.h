// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the main window's status line says after a command, and the tooltip
// of a clashing name.
#include <QString>
#include <cstddef>
#include <string>

#include "platform/FileSystem.h"

namespace tagnomen {

QString RenameDoneText(std::size_t files);
QString RenameCancelledText(std::size_t proposed, std::size_t total);
// files: the proposals that differed from their old names.
QString SaveDoneText(std::size_t files, std::size_t failures);
QString UndoDoneText(std::size_t failures);
QString CleanerDoneText(std::size_t files, std::size_t failures);
QString OrganizerDoneText(std::size_t files, std::size_t failures);
QString ClashCountText(std::size_t clashing);
// otherName: the other file's name after a Save; otherIsRenamed: it gets
// that name from its proposal (else it keeps it).
QString ClashTooltip(const std::string& otherOldName, const std::string& otherName,
                     bool otherIsRenamed);
// The name is still otherOldName's own when Save reaches this file.
QString ChainTooltip(const std::string& otherOldName);
// An entry outside the lists has the name: what kind of entry it is.
QString TakenTooltip(EntryType holder);
QString RefusedTooltip();

}  // namespace tagnomen
