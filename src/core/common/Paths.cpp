#include "common/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryFile>

#ifdef Q_OS_WIN
#include <shlobj.h>
#include <windows.h>
#endif

namespace {

const QString kInstalledShare = QStringLiteral("../share/tessivar/");
const QString kJournalSuffix = QStringLiteral("Frontier Developments/Elite Dangerous/");
const QString kProtonSavedGames =
    QStringLiteral("steamapps/compatdata/359320/pfx/drive_c/users/steamuser/Saved Games/");

bool isWritableFolder(const QString& folder)
{
    QTemporaryFile probe(folder + QStringLiteral(".tessivar-write-test-XXXXXX"));
    return probe.open();
}

// A program installed in a standard layout: `<prefix>/bin/` beside
// `<prefix>/share/tessivar/`.
bool isInstalledLayout(const QString& appDir)
{
    return QDir(appDir).dirName() == QLatin1String("bin") && QFileInfo(appDir + kInstalledShare).isDir();
}

#ifdef Q_OS_WIN
QString savedGamesFolder()
{
    PWSTR path = nullptr;
    QString out;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_SavedGames, 0, nullptr, &path)))
        out = QString::fromWCharArray(path);
    CoTaskMemFree(path);
    return out;
}
#endif

}  // namespace

QString withTrailingSlash(const QString& folder)
{
    if (folder.isEmpty())
        return folder;
    QString f = QDir::fromNativeSeparators(folder);
    if (!f.endsWith(QLatin1Char('/')))
        f += QLatin1Char('/');
    return f;
}

QString dataFolderFor(const QString& appDir, const QString& perUserDir)
{
    const QString dir = withTrailingSlash(appDir);
    if (!dir.isEmpty() && !isInstalledLayout(dir) && isWritableFolder(dir))
        return dir;
    QDir().mkpath(perUserDir);
    return withTrailingSlash(perUserDir);
}

QString GetExePath()
{
    QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (perUser.isEmpty())
        perUser = QDir::homePath() + QStringLiteral("/.tessivar");
    return dataFolderFor(QCoreApplication::applicationDirPath(), perUser);
}

QString installedDemoJournalFolder(const QString& appDir)
{
    const QString dir = withTrailingSlash(appDir);
    if (dir.isEmpty() || !isInstalledLayout(dir))
        return {};
    const QString demo = QDir::cleanPath(dir + kInstalledShare + QStringLiteral("demo"));
    if (QDir(demo).entryList({QStringLiteral("Journal*.log")}, QDir::Files).isEmpty())
        return {};
    return withTrailingSlash(demo);
}

QString installedDemoJournalFolder()
{
    return installedDemoJournalFolder(QCoreApplication::applicationDirPath());
}

QStringList steamLibraryPathsFromVdf(const QByteArray& vdf)
{
    QStringList out;
    static const QRegularExpression re(QStringLiteral("\"path\"\\s+\"((?:[^\"\\\\]|\\\\.)*)\""));
    auto it = re.globalMatch(QString::fromUtf8(vdf));
    while (it.hasNext()) {
        QString p = it.next().captured(1);
        p.replace(QLatin1String("\\\\"), QLatin1String("\\"));
        out.append(p);
    }
    return out;
}

QString journalFolderInSavedGames(const QString& savedGames)
{
    if (savedGames.isEmpty())
        return {};
    // Windows gives backslashes; spell them as '/' on every platform so the
    // result reads the same wherever it is built.
    QString folder = savedGames;
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + kJournalSuffix;
}

QStringList candidateJournalFolders()
{
    QStringList out;
#ifdef Q_OS_WIN
    const QString folder = journalFolderInSavedGames(savedGamesFolder());
    if (!folder.isEmpty())
        out.append(folder);
#else
    const QString home = QDir::homePath();
    const QStringList roots = {home + QStringLiteral("/.steam/steam"), home + QStringLiteral("/.steam/root"),
                               home + QStringLiteral("/.local/share/Steam"),
                               home + QStringLiteral("/.var/app/com.valvesoftware.Steam/.local/share/Steam"),
                               home + QStringLiteral("/.var/app/com.valvesoftware.Steam/data/Steam")};
    QStringList libraries;
    auto addLibrary = [&libraries](const QString& path) {
        const QString p = withTrailingSlash(QDir::cleanPath(path));
        if (!libraries.contains(p))
            libraries.append(p);
    };
    for (const QString& root : roots) {
        addLibrary(root);
        QFile vdf(root + QStringLiteral("/steamapps/libraryfolders.vdf"));
        if (vdf.open(QIODevice::ReadOnly))
            for (const QString& lib : steamLibraryPathsFromVdf(vdf.readAll()))
                addLibrary(lib);
    }
    for (const QString& lib : libraries) {
        const QString candidate = lib + kProtonSavedGames + kJournalSuffix;
        if (!out.contains(candidate))
            out.append(candidate);
    }
#endif
    return out;
}

QString findJournalFolder(QStringList* tried)
{
    return firstExistingFolder(candidateJournalFolders(), tried);
}

QString firstExistingFolder(const QStringList& candidates, QStringList* tried)
{
    for (const QString& c : candidates) {
        if (tried)
            tried->append(c);
        if (QFileInfo(c).isDir())
            return c;
    }
    return {};
}
