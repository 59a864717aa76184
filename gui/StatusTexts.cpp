// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusTexts.h"

#include <algorithm>

namespace tagnomen {

namespace {

QString Files(std::size_t count) {
    return count == 1 ? QStringLiteral("1 file") : QStringLiteral("%1 files").arg(count);
}

// ", 2 failed" when anything failed.
QString Failed(std::size_t failures) {
    return failures == 0 ? QString() : QStringLiteral(", %1 failed").arg(failures);
}

}  // namespace

QString RenameDoneText(std::size_t files) {
    return QStringLiteral("%1 proposed; press Save to rename them on disk")
        .arg(files == 1 ? QStringLiteral("1 name") : QStringLiteral("%1 names").arg(files));
}

QString RenameCancelledText(std::size_t proposed, std::size_t total) {
    return QStringLiteral("Rename cancelled after %1 of %2; the other files keep their names")
        .arg(proposed)
        .arg(Files(total));
}

QString SaveDoneText(std::size_t files, std::size_t failures) {
    const std::size_t failed = std::min(failures, files);
    return QStringLiteral("%1 renamed%2").arg(Files(files - failed), Failed(failed));
}

QString UndoDoneText(std::size_t failures) {
    if (failures == 0) {
        return QStringLiteral("Undo finished: the files have their old names again");
    }
    return QStringLiteral("Undo finished, %1 could not be renamed back").arg(Files(failures));
}

QString CleanerDoneText(std::size_t files, std::size_t failures) {
    return QStringLiteral("Tags cleaned in %1%2")
        .arg(Files(files),
             failures == 0 ? QString() : QStringLiteral(", %1 tag updates failed").arg(failures));
}

QString OrganizerDoneText(std::size_t files, std::size_t failures) {
    const std::size_t failed = std::min(failures, files);
    return QStringLiteral("%1 organized%2").arg(Files(files - failed), Failed(failed));
}

QString ClashCountText(std::size_t clashing) {
    return clashing == 1 ? QStringLiteral("1 proposed name clashes")
                         : QStringLiteral("%1 proposed names clash").arg(clashing);
}

QString ClashTooltip(const std::string& otherOldName, const std::string& otherName,
                     bool otherIsRenamed) {
    const QString name = QString::fromUtf8(otherName);
    const QString other = QString::fromUtf8(otherOldName);
    if (otherIsRenamed) {
        return QStringLiteral("Clashes: %1 is also to be renamed %2").arg(other, name);
    }
    return QStringLiteral("Clashes: the file %1 keeps this name").arg(other);
}

QString ChainTooltip(const std::string& otherOldName) {
    return QStringLiteral("Clashes: %1 still has this name when Save comes to this file")
        .arg(QString::fromUtf8(otherOldName));
}

QString TakenTooltip(EntryType holder) {
    switch (holder) {
        case EntryType::Directory:
            return QStringLiteral("Clashes: a folder in this directory has this name");
        case EntryType::Link:
            return QStringLiteral("Clashes: a symbolic link in this directory has this name");
        case EntryType::Regular:
            return QStringLiteral("Clashes: a file that is not listed has this name");
        default:
            return QStringLiteral(
                "Clashes: a special file (a FIFO, socket or device) in this directory has this "
                "name");
    }
}

QString RefusedTooltip() {
    return QStringLiteral(
        "Save cannot give this name: it would leave the directory, hide the file or mean "
        "nothing");
}

}  // namespace tagnomen
