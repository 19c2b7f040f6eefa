#include "WindowSet.h"

#include "Core.h"
#include "PanelLayout.h"
#include "hub/HubSales.h"
#include "journal/JournalFollower.h"
#include "markets/ShoppingDb.h"
#include "notify/Notifier.h"
#include "widgets/ColonyTab.h"
#include "widgets/NoticeStrip.h"
#include "widgets/PlainToolTips.h"
#include "widgets/WidgetInteraction.h"
#include "widgets/WindowAction.h"
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
#include "windows/Tf_send_to_mobile.h"
#include "windows/Tf_settings.h"
#include "windows/Tf_statek.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QSystemTrayIcon>
#include <QTabWidget>

ReportFn coreReport(TessivarCore& core)
{
    return [&core](const QString& text) { core.report(text); };
}

WindowSet::WindowSet(TessivarCore& core, WidgetInteraction& ui) : Timer1(core.follower().Timer1), m_core(core)
{
    qApp->installEventFilter(new PlainToolTips(this));
    const ReportFn report = coreReport(core);
    f_ED = new Tf_ED(core.mainWindow(), core.log(), core.mobile(), core.web());
    f_ED->setAttribute(Qt::WA_DeleteOnClose, false);
    // Failures nobody clicked for, at the foot of the main window.
    strip = new NoticeStrip(core.notices(), f_ED);
    f_ED->layout()->addWidget(strip);
    ui.setParentWidget(f_ED);
    f_cargo = new Tf_cargo(core.cargo(), report);
    f_Construct = new Tf_Construct(core.construct(), report);
    f_Construct->tabs->addTab(new ColonyTab(core.colony(), core.notifier(), core.ui(), report),
                              ColonyTab::tr("Colony"));
    // Where the desktop has no notification service, the tray icon tells instead.
    connect(&core.notifier(), &Notifier::trayMessage, this,
            [this](const QString& title, const QString& text) {
                if (!QSystemTrayIcon::isSystemTrayAvailable())
                    return;
                if (!m_tray) {
                    m_tray = new QSystemTrayIcon(qApp->windowIcon(), this);
                    m_tray->show();
                }
                m_tray->showMessage(title, text);
            });
    f_send_to_mobile = new Tf_send_to_mobile;
    f_BGS = new Tf_BGS(core.systemInfo(), core.ship());
    f_statek = new Tf_statek;
    f_about = new Tf_about(core.hubClient(), core.mainWindow(), core.ui(), core.startup().downloadUrl,
                           core.startup().chatUrl);
    f_DB = new Tf_DB(core.lastShopping(), core.ui(), report);
    f_settings = new Tf_settings(core.settings(), report,
                                 {&core.mobile(), &core.web(), core.paths().journalDir,
                                  core.paths().journalDirsTried, core.startup().hubUrl, &core.notifier()});
    f_KVN = new Tf_KVN(core.hubClient(), core.state, report);
    f_KVN_add = new Tf_KVN_add(core.state);
    f_market = new Tf_market(core.market());
    f_mission = new Tf_mission(core.mission());
    // The names their places are stored under in settings.ini.
    const std::pair<QWidget*, const char*> named[] = {{f_cargo, "f_cargo"},   {f_DB, "f_DB"},
                                                      {f_KVN, "f_KVN"},       {f_KVN_add, "f_KVN_add"},
                                                      {f_market, "f_market"}, {f_about, "f_about"}};
    for (const auto& [w, name] : named)
        if (w->objectName().isEmpty())
            w->setObjectName(QLatin1String(name));
    panels = new PanelLayout(*this);
    // Every search from outside the Data Base window ends by showing it.
    connect(&core.lastShopping(), &ShoppingDb::showRequested, f_DB, [this] {
        f_DB->show();
        f_DB->raise();
    });

    // The tool windows are top-level windows of their own: without this, an
    // open one would keep the program running after the main window closed.
    f_ED->installEventFilter(this);

    core.follower().start();
    core.hubSales().start();
}

WindowSet::~WindowSet()
{
    panels->stopFollowing();
    // Tool windows first, the main window last.
    delete f_mission;
    delete f_market;
    delete f_KVN_add;
    delete f_KVN;
    delete f_settings;
    delete f_DB;
    delete f_about;
    delete f_statek;
    delete f_BGS;
    delete f_send_to_mobile;
    delete f_Construct;
    delete f_cargo;
    delete f_ED;
}

bool WindowSet::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == f_ED && event->type() == QEvent::Close && event->isAccepted())
        closeProgram();
    return QObject::eventFilter(watched, event);
}

void WindowSet::closeProgram()
{
    Timer1.stop();
    // The windows' places and the panels open now are what the next start shows.
    panels->storeAndStopFollowing();
    // Each open window closes as its own close button would close it, so
    // whatever it stores on closing (the settings window's consent) is saved
    // before the program ends.
    QWidget* const others[] = {f_settings, f_KVN_add,   f_KVN,   f_market,  f_DB,     f_about,
                               f_BGS,      f_Construct, f_cargo, f_mission, f_statek, f_send_to_mobile};
    for (QWidget* w : others)
        if (w && w->isVisible())
            w->close();
    QApplication::quit();
}

void WindowSet::Timer1Timer()
{
    // Message boxes do not hold the passes up: they wait for no answer.
    m_core.follower().Timer1Timer();
}
