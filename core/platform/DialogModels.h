// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The models of the tool dialogs (core/tools/), declared by name only: the Ui
// port runs them and DialogScripts queues actions for them, but neither looks
// inside, so the platform layer needs none of their headers.

namespace tagnomen {

class DirectoryChooserModel;
class NameFormatModel;
class EditFileNameModel;
class MassFileNameEditorModel;
class FileInfoEditorModel;
class FileInfoViewerModel;
class FilesOrganizerModel;
class CleanReviewModel;

}  // namespace tagnomen
