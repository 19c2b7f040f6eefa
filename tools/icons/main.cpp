// tessivar-icons: writes the program's logo as the PNG icons of a hicolor
// theme (`OUT/<n>x<n>/apps/tessivar.png`), for the desktop entry.
#include "widgets/Logo.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    QTextStream err(stderr);
    if (args.size() != 2) {
        err << "usage: tessivar-icons OUTPUT-FOLDER\n";
        return 2;
    }
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(args[1]).arg(size);
        const QString file = dir + QStringLiteral("/tessivar.png");
        if (!QDir().mkpath(dir) || !logoPixmap(size).save(file, "PNG")) {
            err << "cannot write " << file << "\n";
            return 1;
        }
    }
    return 0;
}
