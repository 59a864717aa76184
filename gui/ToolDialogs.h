// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One function per tool dialog: shows the dialog over its model and returns
// true for OK. QtUi hands every tool dialog call to these.
#include "platform/DialogModels.h"

class QWidget;

namespace tagnomen {

bool ExecDirectoryChooserDialog(QWidget* parent, DirectoryChooserModel& model);
bool ExecNameFormatDialog(QWidget* parent, NameFormatModel& model);
bool ExecEditFileNameDialog(QWidget* parent, EditFileNameModel& model);
bool ExecMassFileNameEditorDialog(QWidget* parent, MassFileNameEditorModel& model);
bool ExecFileInfoEditorDialog(QWidget* parent, FileInfoEditorModel& model);
bool ExecFileInfoViewerDialog(QWidget* parent, FileInfoViewerModel& model);
bool ExecFilesOrganizerDialog(QWidget* parent, FilesOrganizerModel& model);
bool ExecCleanReviewDialog(QWidget* parent, CleanReviewModel& model);

}  // namespace tagnomen
