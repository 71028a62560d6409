#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tessaro::store {

/// The values one window hands to the next during a run. They live here, in one place, so that
/// every reader and writer can be found; windows read and write them through shared().
struct SharedValues {
    /// Folder holding pic/, sound/, htm/ and the shipped bank.
    std::filesystem::path AppDir;
    /// "800" or "1024": the layout class every window chooses its size by.
    std::string ScreenMode = "1024";
    /// Current paper kind 1..5; 0 until the main window shows.
    int PaperKind = 0;
    /// Subject 1..5 the navigator shows, set by the "lx" commands.
    int SubjectNo = 1;
    /// Per question type of the current paper kind: gauge timer interval (ms) and type code.
    std::vector<int> TypeTimes;
    std::vector<int> TypeIds;
    /// Background tune chosen in the settings window.
    std::string MusicFile;
    /// Output volume level 1..16.
    int VolumeLevel = 12;
    /// Display label (C1_1) of the chapter the navigator stands on.
    std::string CurrentChapter;
    /// Whether the chapter navigator is showing.
    bool NavigatorShown = false;
    /// The question list the navigator hands to the practice window.
    std::string QuestionListSql;
    std::vector<std::string> QuestionListParams;
    /// Question to open first in a practice run, and the one last edited.
    std::string FirstQuestionId;
    std::string EditedQuestionId;
    /// Whether the notes window left a note on the question.
    bool NoteHasContent = false;
    /// Settings window mode: 0 music, 1 answer times.
    int ConfigMode = 0;
    /// Knowledge points already on the question being authored.
    int ExistingPointCount = 0;

    /// Gauge timer interval for a question type; 600 ms when the type has no row.
    int typeTimeFor(int typeCode) const;
};

SharedValues& shared();

} // namespace tessaro::store
