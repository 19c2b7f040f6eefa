#pragma once

#include <QString>
#include <QStringList>

// Where the program keeps its files and where it looks for the game's.
struct AppPaths
{
    QString dataDir;               // program data folder, ends with '/'; every INI file lives there or below
    QString journalDir;            // journal folder, ends with '/'; empty when none was found
    QStringList journalDirsTried;  // folders looked at, in order, for the diagnostics
    QString demoDir;               // a demo to play into journalDir over time; empty for the game's journal
};

// The program's own folder when it is writable, else the per-user data folder.
// An installed program (a `share/tessivar/` folder beside its `bin/`) always
// uses the per-user data folder, even where its own folder is writable (root).
// Ends with '/'.
QString GetExePath();

// The data folder chosen by the rules above for a program in `appDir`, with
// `perUserDir` as the per-user data folder. Ends with '/'.
QString dataFolderFor(const QString& appDir, const QString& perUserDir);

// The demo journal folder of a program in `appDir` installed in a standard
// layout (`bin/` beside `share/tessivar/demo/`), or empty text when there is
// none. Ends with '/'.
QString installedDemoJournalFolder(const QString& appDir);
// The same for the running program.
QString installedDemoJournalFolder();

// Candidate journal folders in the order they are tried: on Windows the Saved
// Games known folder + "Frontier Developments/Elite Dangerous/"; elsewhere the
// game's folder inside the Proton prefix of every Steam library.
QStringList candidateJournalFolders();

// The journal folder inside the Saved Games known folder as Windows reports
// it (backslashes, with or without a trailing one); empty text when the known
// folder could not be determined (empty).
QString journalFolderInSavedGames(const QString& savedGames);

// The first candidate that exists, or empty text. `tried` receives every
// candidate looked at.
QString findJournalFolder(QStringList* tried = nullptr);
// The first of `candidates` that exists, or empty text.
QString firstExistingFolder(const QStringList& candidates, QStringList* tried = nullptr);

// Library folders listed in a Steam libraryfolders.vdf text.
QStringList steamLibraryPathsFromVdf(const QByteArray& vdf);

// Folder path with '/' separators and a trailing '/'.
QString withTrailingSlash(const QString& folder);
