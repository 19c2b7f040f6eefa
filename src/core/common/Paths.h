#pragma once

#include <QString>
#include <QStringList>

// Where the program keeps its files and where it looks for the game's.
struct AppPaths
{
    QString dataDir;               // program data folder, ends with '/'; every INI file lives there or below
    QString journalDir;            // journal folder, ends with '/'; empty when none was found
    QStringList journalDirsTried;  // folders looked at, in order, for the diagnostics
};

// The program's own folder when it is writable, else the per-user data folder.
// Ends with '/'.
QString GetExePath();

// Candidate journal folders in the order they are tried: on Windows the Saved
// Games known folder + "Frontier Developments/Elite Dangerous/"; elsewhere the
// game's folder inside the Proton prefix of every Steam library.
QStringList candidateJournalFolders();

// The first candidate that exists, or empty text. `tried` receives every
// candidate looked at.
QString findJournalFolder(QStringList* tried = nullptr);

// Library folders listed in a Steam libraryfolders.vdf text.
QStringList steamLibraryPathsFromVdf(const QByteArray& vdf);

// Folder path with '/' separators and a trailing '/'.
QString withTrailingSlash(const QString& folder);
