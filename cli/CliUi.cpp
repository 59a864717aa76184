// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliUi.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <fstream>
#include <istream>
#include <ostream>

#include "platform/FileSystem.h"
#include "tags/TagReport.h"

namespace tagnomen::cli {

namespace {

const char* const kScriptWords[] = {"yes", "no", "v1", "v2", "album", "track"};

std::string JsonField(const char* name, const std::string& value) {
    return std::string("\"") + name + "\": " + JsonString(value);
}

}  // namespace

CliUi::CliUi(std::ostream& messages, std::istream& terminal)
    : messages_(messages), terminal_(terminal) {}

bool CliUi::LoadAnswers(const std::string& path, std::string& error) {
    // A directory opens like a file here and reads as no answers at all.
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        error = "cannot read the answers file " + path + ": " + ErrorReason(EISDIR);
        return false;
    }
    std::ifstream in(path);
    if (!in) {
        error = "cannot read the answers file " + path + ": " + ErrorReason(errno);
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
            line.pop_back();
        }
        std::size_t start = line.find_first_not_of(' ');
        if (start == std::string::npos) {
            continue;
        }
        line = line.substr(start);
        // A trailing "!" ticks "Answer the same for the rest of this Rename".
        const std::string word = line.back() == '!' ? line.substr(0, line.size() - 1) : line;
        bool known = false;
        for (const char* scriptWord : kScriptWords) {
            known = known || word == scriptWord;
        }
        if (!known) {
            error = path + ":" + std::to_string(number) + ": unknown answer '" + line + "'";
            return false;
        }
        scripted_.push_back({line, number});
    }
    if (in.bad()) {
        error = "cannot read the answers file " + path;
        return false;
    }
    return true;
}

bool CliUi::OpenTranscript(const std::string& path, std::string& error) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = ErrorReason(errno);
        return false;
    }
    transcript_ = std::make_unique<FdOutputBuffer>(fd, true);
    return true;
}

bool CliUi::NextScripted(ScriptedAnswer& answer) {
    if (nextScripted_ >= scripted_.size()) {
        return false;
    }
    answer = scripted_[nextScripted_++];
    return true;
}

void CliUi::Unfitting(const ScriptedAnswer& answer, const std::string& question) {
    throw UsageError("answers line " + std::to_string(answer.line) + ": '" + answer.word +
                     "' does not fit the question: " + question);
}

std::string CliUi::AskTerminal(const std::string& prompt) {
    messages_ << prompt << std::flush;
    std::string reply;
    if (!std::getline(terminal_, reply)) {
        return std::string();
    }
    return reply;
}

void CliUi::Report(const std::string& caption, const std::string& text) {
    if (!quiet_) {
        messages_ << caption << ": " << text << '\n';
    }
}

void CliUi::Log(const std::string& json) {
    if (transcript_) {
        // Each line is written out at once; a failure is kept for the run to report.
        const std::string line = json + '\n';
        transcript_->sputn(line.data(), static_cast<std::streamsize>(line.size()));
        transcript_->pubsync();
    }
}

void CliUi::ShowFailure(const std::string& caption, const std::string& text,
                        const std::string& reason, MessageIcon) {
    Report(caption, reason.empty() ? text : text + " (" + reason + ")");
    std::string entry = "{" + JsonField("kind", "message") + ", " + JsonField("caption", caption) +
                        ", " + JsonField("text", text) + ", " + JsonField("answer", "ok");
    if (!reason.empty()) {
        entry += ", " + JsonField("reason", reason);
    }
    Log(entry + "}");
}

MessageAnswer CliUi::ShowMessage(const std::string& caption, const std::string& text, MessageIcon,
                                 MessageButtons buttons) {
    if (buttons == MessageButtons::Ok) {
        Report(caption, text);
        Log("{" + JsonField("kind", "message") + ", " + JsonField("caption", caption) + ", " +
            JsonField("text", text) + ", " + JsonField("answer", "ok") + "}");
        return MessageAnswer::Ok;
    }
    bool sameForRest = false;
    return AskYesNo(caption, text, false, sameForRest);
}

MessageAnswer CliUi::AskRenameQuestion(RenameQuestion, const std::string& caption,
                                       const std::string& text, bool& sameForRest) {
    return AskYesNo(caption, text, true, sameForRest);
}

MessageAnswer CliUi::AskYesNo(const std::string& caption, const std::string& text, bool restOffered,
                              bool& sameForRest) {
    sameForRest = false;
    bool yes = policy_ == AnswerPolicy::Yes;
    ScriptedAnswer scripted;
    if (NextScripted(scripted)) {
        const std::string word = TakeRestMark(scripted, restOffered, text, sameForRest);
        if (word != "yes" && word != "no") {
            Unfitting(scripted, text);
        }
        yes = word == "yes";
    } else if (policy_ == AnswerPolicy::Ask) {
        std::string reply =
            AskTerminal(caption + ": " + text + "\n[y/N" +
                        (restOffered ? ", ! after it: the same for the rest" : "") + "] ");
        yes = !reply.empty() && (reply[0] == 'y' || reply[0] == 'Y');
        sameForRest = restOffered && !reply.empty() && reply.back() == '!';
    } else if (!quiet_) {
        messages_ << caption << ": " << text << "\n-> " << (yes ? "Yes" : "No") << '\n';
    }
    LogQuestion("question", caption, text, yes ? "yes" : "no", sameForRest, true);
    return yes ? MessageAnswer::Yes : MessageAnswer::No;
}

std::string CliUi::TakeRestMark(const ScriptedAnswer& answer, bool restOffered,
                                const std::string& question, bool& sameForRest) {
    if (answer.word.empty() || answer.word.back() != '!') {
        return answer.word;
    }
    if (!restOffered) {
        Unfitting(answer, question);
    }
    sameForRest = true;
    return answer.word.substr(0, answer.word.size() - 1);
}

void CliUi::LogQuestion(const char* kind, const std::string& caption, const std::string& text,
                        const std::string& answer, bool sameForRest, bool shown) {
    std::string entry = "{" + JsonField("kind", kind) + ", " + JsonField("caption", caption) +
                        ", " + JsonField("text", text) + ", " + JsonField("answer", answer);
    if (sameForRest) {
        entry += ", \"sameForRest\": true";
    }
    if (!shown) {
        entry += ", \"shown\": false";
    }
    Log(entry + "}");
}

void CliUi::NoteAnsweredForRest(const std::string& kind, const std::string& caption,
                                const std::string& text, const std::string& answer) {
    LogQuestion(kind.c_str(), caption, text, answer, false, false);
}

std::string CliUi::AskTagMismatch(const std::string& caption, const std::string& fileName,
                                  const std::string& id3v1Text, const std::string& id3v2Text) {
    bool second = policy_ == AnswerPolicy::Yes;
    ScriptedAnswer scripted;
    const std::string question = "Select which data to use for " + caption + " of " + fileName;
    if (NextScripted(scripted)) {
        if (scripted.word != "v1" && scripted.word != "v2") {
            Unfitting(scripted, question);
        }
        second = scripted.word == "v2";
    } else if (policy_ == AnswerPolicy::Ask) {
        std::string reply = AskTerminal(question + "\n  1) ID3v1: " + id3v1Text +
                                        "\n  2) ID3v2: " + id3v2Text + "\n[1/2] ");
        second = !reply.empty() && reply[0] == '2';
    }
    const std::string& chosen = second ? id3v2Text : id3v1Text;
    if (!quiet_ && policy_ != AnswerPolicy::Ask) {
        messages_ << question << ": ID3v1 \"" << id3v1Text << "\" / ID3v2 \"" << id3v2Text
                  << "\" -> \"" << chosen << "\"\n";
    }
    Log("{" + JsonField("kind", "mismatch") + ", " +
        JsonField("caption", "Data between ID3v1 and ID3v2 Tags does not match!") + ", " +
        JsonField("text", caption) + ", " + JsonField("file", fileName) + ", " +
        JsonField("v1", id3v1Text) + ", " + JsonField("v2", id3v2Text) + ", " +
        JsonField("answer", chosen) + "}");
    return chosen;
}

GarbageAnswer CliUi::AskGarbage(const std::string& question, bool showMarkAsAlbum,
                                bool showMarkAsTrack) {
    bool sameForRest = false;
    return AskGarbageDialog(question, showMarkAsAlbum, showMarkAsTrack, false, sameForRest);
}

GarbageAnswer CliUi::AskRenameGarbage(const std::string& question, bool showMarkAsAlbum,
                                      bool showMarkAsTrack, bool& sameForRest) {
    return AskGarbageDialog(question, showMarkAsAlbum, showMarkAsTrack, true, sameForRest);
}

GarbageAnswer CliUi::AskGarbageDialog(const std::string& question, bool showMarkAsAlbum,
                                      bool showMarkAsTrack, bool restOffered, bool& sameForRest) {
    sameForRest = false;
    GarbageAnswer answer = policy_ == AnswerPolicy::Yes ? GarbageAnswer::Yes : GarbageAnswer::No;
    ScriptedAnswer scripted;
    if (NextScripted(scripted)) {
        const std::string word = TakeRestMark(scripted, restOffered, question, sameForRest);
        if (word == "yes") {
            answer = GarbageAnswer::Yes;
        } else if (word == "no") {
            answer = GarbageAnswer::No;
        } else if (word == "album" && showMarkAsAlbum) {
            answer = GarbageAnswer::Album;
        } else if (word == "track" && showMarkAsTrack) {
            answer = GarbageAnswer::Track;
        } else {
            Unfitting(scripted, question);
        }
    } else if (policy_ == AnswerPolicy::Ask) {
        std::string choices = "[y/N";
        if (showMarkAsAlbum) {
            choices += "/a(lbum)";
        }
        if (showMarkAsTrack) {
            choices += "/t(rack)";
        }
        if (restOffered) {
            choices += ", ! after it: the same for the rest";
        }
        std::string reply =
            AskTerminal("Erase the Garbage Text: " + question + "\n" + choices + "] ");
        char c = reply.empty() ? 'n' : reply[0];
        if (c == 'y' || c == 'Y') {
            answer = GarbageAnswer::Yes;
        }
        if ((c == 'a' || c == 'A') && showMarkAsAlbum) {
            answer = GarbageAnswer::Album;
        }
        if ((c == 't' || c == 'T') && showMarkAsTrack) {
            answer = GarbageAnswer::Track;
        }
        sameForRest = restOffered && !reply.empty() && reply.back() == '!';
    } else if (!quiet_) {
        messages_ << "Erase the Garbage Text: " << question << "\n-> " << GarbageAnswerName(answer)
                  << '\n';
    }
    LogQuestion("garbage", "Erase the Garbage Text", question, GarbageAnswerName(answer),
                sameForRest, true);
    return answer;
}

void CliUi::OpenProgressWindow(const std::string& text) {
    if (!quiet_) {
        messages_ << text << '\n';
    }
}

void CliUi::CloseProgressWindow() {}

void CliUi::ShowRenameProgress(int, int, const std::string&) {}

bool CliUi::ShowAbout(const AboutInfo& info) {
    if (!quiet_) {
        messages_ << info.programName << ' ' << info.version << '\n';
    }
    return false;
}

void CliUi::OpenHelp(const std::string&) {}

bool CliUi::RunDirectoryChooser(DirectoryChooserModel& model) {
    return dialogs.directoryChooser.Run(model);
}
bool CliUi::RunNameFormat(NameFormatModel& model) {
    return dialogs.nameFormat.Run(model);
}
bool CliUi::RunEditFileName(EditFileNameModel& model) {
    return dialogs.editFileName.Run(model);
}
bool CliUi::RunMassFileNameEditor(MassFileNameEditorModel& model) {
    return dialogs.massFileNameEditor.Run(model);
}
bool CliUi::RunFileInfoEditor(FileInfoEditorModel& model) {
    return dialogs.fileInfoEditor.Run(model);
}
bool CliUi::RunFileInfoViewer(FileInfoViewerModel& model) {
    return dialogs.fileInfoViewer.Run(model);
}
bool CliUi::RunFilesOrganizer(FilesOrganizerModel& model) {
    return dialogs.filesOrganizer.Run(model);
}
bool CliUi::RunCleanReview(CleanReviewModel& model) {
    return dialogs.cleanReview.Run(model);
}

}  // namespace tagnomen::cli
