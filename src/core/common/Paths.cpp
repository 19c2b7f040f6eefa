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

const QString kJournalSuffix = QStringLiteral("Frontier Developments/Elite Dangerous/");
const QString kProtonSavedGames =
    QStringLiteral("steamapps/compatdata/359320/pfx/drive_c/users/steamuser/Saved Games/");

bool isWritableFolder(const QString& folder)
{
    QTemporaryFile probe(folder + QStringLiteral(".tessivar-write-test-XXXXXX"));
    return probe.open();
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

QString GetExePath()
{
    const QString appDir = withTrailingSlash(QCoreApplication::applicationDirPath());
    if (!appDir.isEmpty() && isWritableFolder(appDir))
        return appDir;
    QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (data.isEmpty())
        data = QDir::homePath() + QStringLiteral("/.tessivar");
    QDir().mkpath(data);
    return withTrailingSlash(data);
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

QStringList candidateJournalFolders()
{
    QStringList out;
#ifdef Q_OS_WIN
    const QString saved = savedGamesFolder();
    if (!saved.isEmpty())
        out.append(withTrailingSlash(saved) + kJournalSuffix);
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
    for (const QString& c : candidateJournalFolders()) {
        if (tried)
            tried->append(c);
        if (QFileInfo(c).isDir())
            return c;
    }
    return {};
}
