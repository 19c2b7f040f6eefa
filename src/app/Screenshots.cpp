#include "Screenshots.h"

#include "Core.h"
#include "WindowSet.h"
#include "journal/JournalPass.h"
#include "widgets/WidgetInteraction.h"
#include "windows/Tf_BGS.h"
#include "windows/Tf_Construct.h"
#include "windows/Tf_DB.h"
#include "windows/Tf_ED.h"
#include "windows/Tf_KVN.h"
#include "windows/Tf_KVN_add.h"
#include "windows/Tf_about.h"
#include "windows/Tf_cargo.h"
#include "windows/Tf_market.h"
#include "windows/Tf_mission.h"
#include "windows/Tf_settings.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QScreen>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

namespace {

void saveAll(WindowSet& w, const QString& dir)
{
    QDir().mkpath(dir);
    QTextStream out(stdout);
    // The whole screen first, to see how the locked panels tile it.
    if (QScreen* screen = w.f_ED->screen()) {
        const QString file = QDir(dir).filePath(QStringLiteral("screen.png"));
        if (screen->grabWindow(0).save(file))
            out << file << '\n';
    }
    const std::pair<const char*, QWidget*> windows[] = {
        {"f_ED", w.f_ED},           {"f_BGS", w.f_BGS},
        {"f_cargo", w.f_cargo},     {"f_Construct", w.f_Construct},
        {"f_about", w.f_about},     {"f_DB", w.f_DB},
        {"f_KVN", w.f_KVN},         {"f_KVN_add", w.f_KVN_add},
        {"f_market", w.f_market},   {"f_settings", w.f_settings},
        {"f_mission", w.f_mission},
    };
    for (const auto& [name, widget] : windows) {
        if (!widget)
            continue;
        // Every window once, as it first shows on this screen.
        const bool wasShown = widget->isVisible();
        if (!wasShown) {
            widget->show();
            widget->raise();
            QElapsedTimer settle;
            settle.start();
            while (settle.elapsed() < 400)
                QApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        const QString file = QDir(dir).filePath(QLatin1String(name) + QStringLiteral(".png"));
        const QRect g = widget->frameGeometry();
        if (widget->grab().save(file))
            out << file
                << QStringLiteral(" at %1x%2+%3+%4").arg(g.width()).arg(g.height()).arg(g.x()).arg(g.y())
                << '\n';
        // The further tabs of the construction and the Data Base windows, each once.
        QTabWidget* tabs = nullptr;
        if (auto* construct = qobject_cast<Tf_Construct*>(widget))
            tabs = construct->tabs;
        else if (auto* db = qobject_cast<Tf_DB*>(widget))
            tabs = db->tabs;
        if (tabs) {
            for (int t = 1; t < tabs->count(); ++t) {
                tabs->setCurrentIndex(t);
                QApplication::processEvents(QEventLoop::AllEvents, 50);
                const QString tab =
                    QDir(dir).filePath(QLatin1String(name) + QStringLiteral("_tab%1.png").arg(t));
                if (widget->grab().save(tab))
                    out << tab << '\n';
            }
            tabs->setCurrentIndex(0);
        }
        if (!wasShown)
            widget->hide();
    }
    QApplication::quit();
}

}  // namespace

void takeScreenshotsAfterFirstPass(WindowSet& windows, WidgetInteraction& ui, const QString& dir, int extraMs)
{
    ui.setRecordOnly(true);
    auto* poll = new QTimer(&windows);
    QObject::connect(poll, &QTimer::timeout, &windows, [poll, &windows, dir, extraMs] {
        if (windows.core().pass().passes < 1)
            return;
        poll->stop();
        // Give the windows a moment to lay out what the pass filled in (and a
        // live demo the time to play its session).
        QTimer::singleShot(1500 + extraMs, &windows, [&windows, dir] { saveAll(windows, dir); });
    });
    poll->start(200);
}
