// The contracts window, the new order form and the About window, offscreen.
#include "HttpStub.h"
#include "TestSupport.h"
#include "WindowSet.h"

#include "MainWindowModel.h"
#include "cargo/CargoModule.h"
#include "common/Language.h"
#include "hub/HubClient.h"
#include "settings/SettingsStore.h"
#include "windows/Tf_KVN.h"
#include "windows/Tf_KVN_add.h"
#include "windows/Tf_about.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

namespace {

QByteArray j(const char* text)
{
    return QByteArray(text).replace('\'', '"');
}

const char* const kOrders =
    "[{'FC':'Ironclad','cmdr':'Jan','CarrierID':'3702668288','action':'Demand',"
    "'location':'Deciat / Body 5','commodity':'Steel','count':'720','price':'105'},"
    "{'FC':'Second','cmdr':'Ann','CarrierID':'42','commodity':'Tea','count':'5','price':'90'}]";

void startWithHub(CoreFixture& f, const QString& url, const QByteArray& more = {})
{
    writeFile(f.dataDir.filePath(QStringLiteral("settings.ini")),
              "[KVN]\r\nurl=" + url.toUtf8() + "\r\n" + more);
    f.start();
}

QStringList tabTexts(const QTabWidget* t)
{
    QStringList out;
    for (int i = 0; i < t->count(); ++i)
        out.append(t->tabText(i));
    return out;
}

}  // namespace

class KvnWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void contractsWindow_layoutAndNoHubNote()
    {
        CoreFixture f;
        TessivarCore& c = f.start();
        Tf_KVN w(c.hubClient(), c.state, coreReport(c));
        QCOMPARE(w.windowTitle(), QStringLiteral("KVN"));
        QCOMPARE(tabTexts(w.tabs),
                 (QStringList{QStringLiteral("📜 Contract market"), QStringLiteral("📋 Accepted contracts")}));
        QCOMPARE(w.Getcontract1->text(), QStringLiteral(" ➕ Get contract"));
        QCOMPARE(w.btn_refresh->text(), QStringLiteral("⭮ "));
        QCOMPARE(w.btn_refresh->toolTip(), QStringLiteral("Refresh contract list"));
        QCOMPARE(w.btn_add->text(), QStringLiteral(" ➕"));
        QCOMPARE(w.btn_add->toolTip(), QStringLiteral("Add new demand"));
        QCOMPARE(w.lista_zlecen->toolTip(), QStringLiteral("Get contract by right mouse button"));
        QCOMPARE(w.lista_zlecen->indentation(), 19);
        QCOMPARE(w.label_delay->text(), QStringLiteral("0"));
        QCOMPARE(w.Timer_delay.interval(), 1000);
        QVERIFY(w.Timer_delay.isActive());

        // No hub configured: the window says so and sends nothing.
        w.show();
        QVERIFY(w.label_no_hub->isVisible());
        QCOMPARE(w.label_no_hub->textFormat(), Qt::PlainText);
        QVERIFY(w.label_no_hub->text().contains(QStringLiteral("No Kelvane hub address")));
        QVERIFY(f.core->hubClient().isIdle());
        QVERIFY(!w.btn_add->isEnabled());
    }

    void contractsWindow_loadsOnShowAndCountsDown()
    {
        HttpStub hub;
        hub.handler = [](const StubRequest&) { return StubResponse::text(j(kOrders)); };
        CoreFixture f;
        startWithHub(f, hub.url());
        f.core->state.dane_carriera.CarrierID = 7;
        TessivarCore& c = *f.core;
        Tf_KVN w(c.hubClient(), c.state, coreReport(c));
        w.show();
        QVERIFY(w.btn_add->isEnabled());
        QVERIFY(!w.label_no_hub->isVisible());
        QVERIFY(f.core->hubClient().waitForIdle(10000));
        QCOMPARE(w.label_delay->text(), QStringLiteral("60"));
        const QAbstractItemModel* m = w.lista_zlecen->model();
        QCOMPARE(m->rowCount(), 2);
        QVERIFY(w.lista_zlecen->isExpanded(m->index(0, 0)));

        QVERIFY(!w.btn_refresh->isEnabled());
        // The window counts whole seconds up to the time the core allows, rounded up.
        const QDateTime at = f.core->hubClient().nextRefreshAllowedAt();
        QCOMPARE(Tf_KVN::secondsLeft(at, at.addSecs(-60)), 60);
        QCOMPARE(Tf_KVN::secondsLeft(at, at.addMSecs(-59001)), 60);
        QCOMPARE(Tf_KVN::secondsLeft(at, at.addSecs(-59)), 59);
        QCOMPARE(Tf_KVN::secondsLeft(at, at.addMSecs(-1)), 1);
        QCOMPARE(Tf_KVN::secondsLeft(at, at), 0);
        QCOMPARE(Tf_KVN::secondsLeft(at, at.addSecs(5)), 0);
        QCOMPARE(Tf_KVN::secondsLeft(QDateTime(), at), 0);
    }

    void getContract_takesTheOrderOfTheSelectedLine()
    {
        CoreFixture f;
        TessivarCore& core = f.start();
        Tf_KVN w(core.hubClient(), core.state, coreReport(core));
        w.show();
        core.hubClient().loadOrderList(QString::fromUtf8(j(kOrders)));
        const QAbstractItemModel* m = w.lista_zlecen->model();
        const QModelIndex steel = m->index(3, 0, m->index(0, 0));
        w.lista_zlecen->setCurrentIndex(steel);

        // The right button opens the menu but leaves the selection where it was.
        const QModelIndex other = m->index(1, 0);
        QTest::mouseClick(w.lista_zlecen->viewport(), Qt::RightButton, {},
                          w.lista_zlecen->visualRect(other).center());
        QCOMPARE(w.lista_zlecen->currentIndex(), steel);

        w.Getcontract1->trigger();
        QCOMPARE(core.hubClient().acceptedOrders.orderCount(), 1);
        QCOMPARE(core.hubClient().acceptedOrders.orders().value(0),
                 core.hubClient().marketOrders.orders().value(0));
        QVERIFY(w.przyjete_zlecenia->isExpanded(w.przyjete_zlecenia->model()->index(0, 0)));
        QCOMPARE(core.cargo().selectorEntries().last(), QStringLiteral("3702668288"));
    }

    void orderForm_fields()
    {
        CoreFixture f;
        TessivarCore& core = f.start();
        core.state.dane_CMDR.Name = QStringLiteral("Jan <b>");
        core.state.dane_carriera.StarSystem = QStringLiteral("Deciat");
        core.state.dane_carriera.Body = 5;
        core.state.dane_carriera.CarrierName = QStringLiteral("FUXBAU");
        core.state.dane_carriera.CarrierID = 3702668288ULL;
        Tf_KVN_add form(core.state);
        QVERIFY(form.windowTitle().contains(QStringLiteral("New order")));
        QCOMPARE(form.commodity_name->count(), 61);
        QCOMPARE(form.commodity_name->currentText(), QStringLiteral("Aluminium"));
        QVERIFY(!form.commodity_name->isEditable());
        QCOMPARE(form.ch_zgoda->text(),
                 QStringLiteral("I accept sending my player name and Fleet Carrier to the remote server."));
        QCOMPARE(form.btn_add->text(), QStringLiteral(" ➕ ADD"));
        QCOMPARE(form.btn_cancel->text(), QStringLiteral("❌ CANCEL"));
        form.show();
        QCOMPARE(form.cmdr_name->textFormat(), Qt::PlainText);
        QCOMPARE(form.cmdr_name->text(), QStringLiteral("CMDR Jan <b>"));
        QCOMPARE(form.carrier_location->text(), QStringLiteral("Deciat / Body 5"));
        QVERIFY(form.carrier_location->isReadOnly());
        // Filled from the own carrier.
        QCOMPARE(form.carrier_name->text(), QStringLiteral("FUXBAU"));
        QVERIFY(form.carrier_id->text().contains(QStringLiteral("3702668288")));

        form.typ_unload->setChecked(true);
        form.commodity_name->setCurrentText(QStringLiteral("H.E. Suits"));
        // Counts and percentages below 1 are not taken.
        form.count->setValue(-3);
        form.avg->setValue(0);
        QCOMPARE(form.count->value(), 1);
        QCOMPARE(form.avg->value(), 1);
        const HubClient::NewOrder o = form.order();
        QCOMPARE(o.cmdr, QStringLiteral("CMDR Jan <b>"));
        QCOMPARE(o.FC, QStringLiteral("FUXBAU"));
        QCOMPARE(o.location, QStringLiteral("Deciat / Body 5"));
        QCOMPARE(o.typ, QStringLiteral("Unload"));
        QCOMPARE(o.commodity, QStringLiteral("H.E. Suits"));
        QCOMPARE(o.count, 1);
        QCOMPARE(o.price, 1);

        // Unticking the consent closes the form as cancelled.
        form.ch_zgoda->setChecked(false);
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QVERIFY(!form.isVisible());
    }

    void orderForm_sendsTheHubsWordsInEveryLanguage()
    {
        CoreFixture f;
        TessivarCore& core = f.start();
        QCOMPARE(Language::install(QStringLiteral("pl")), QStringLiteral("pl"));
        const auto english = qScopeGuard([] { Language::install(QStringLiteral("en")); });
        Tf_KVN_add form(core.state);
        QVERIFY(form.typ_unload->text() != QLatin1String("Unload"));
        form.typ_unload->setChecked(true);
        // Shown as the game names it, sent as the hub spells it.
        form.commodity_name->setCurrentText(QStringLiteral("Computer Components"));
        QCOMPARE(form.commodity_name->currentData().toString(), QStringLiteral("Components Computer"));
        HubClient::NewOrder o = form.order();
        QCOMPARE(o.typ, QStringLiteral("Unload"));
        QCOMPARE(o.commodity, QStringLiteral("Components Computer"));
        form.typ_demand->setChecked(true);
        QCOMPARE(form.order().typ, QStringLiteral("Demand"));
    }

    void orderForm_refusesWhatWouldPostNonsense_data()
    {
        QTest::addColumn<QString>("carrier");
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("commodity");
        QTest::addColumn<QString>("field");  // named in the message
        QTest::newRow("untouched placeholder") << "carrier_name"
                                               << "Deciat"
                                               << "Steel"
                                               << "Carrier ID / Name";
        QTest::newRow("empty carrier") << "  "
                                       << "Deciat"
                                       << "Steel"
                                       << "Carrier ID / Name";
        QTest::newRow("unknown location") << "FUXBAU"
                                          << ""
                                          << "Steel"
                                          << "location";
        QTest::newRow("a heading") << "FUXBAU"
                                   << "Deciat"
                                   << "BASE:"
                                   << "Commodity";
    }

    void orderForm_refusesWhatWouldPostNonsense()
    {
        QFETCH(QString, carrier);
        QFETCH(QString, system);
        QFETCH(QString, commodity);
        QFETCH(QString, field);
        CoreFixture f;
        TessivarCore& core = f.start();
        core.state.dane_carriera.StarSystem = system;
        Tf_KVN_add form(core.state);
        form.show();
        form.carrier_name->setText(carrier);
        form.commodity_name->setCurrentText(commodity);
        QTest::mouseClick(form.btn_add, Qt::LeftButton);
        // Nothing is sent: the form stays open and names the field.
        QVERIFY(form.isVisible());
        QCOMPARE(form.result(), 0);
        QVERIFY(form.label_problem->isVisible());
        QVERIFY2(form.label_problem->text().contains(field), qPrintable(form.label_problem->text()));

        form.carrier_name->setText(QStringLiteral("FUXBAU"));
        if (system.isEmpty())
            return;
        form.commodity_name->setCurrentText(QStringLiteral("Steel"));
        QTest::mouseClick(form.btn_add, Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Accepted));
    }

    void addButton_postsTheOrderFromTheForm()
    {
        HttpStub hub;
        hub.handler = [](const StubRequest& r) {
            return StubResponse::text(r.field(QStringLiteral("act")) == QLatin1String("add_kvn")
                                          ? QByteArray("added")
                                          : j(kOrders));
        };
        CoreFixture f;
        startWithHub(f, hub.url());
        f.core->state.dane_CMDR.Name = QStringLiteral("Jan");
        f.core->state.dane_carriera.CarrierID = 3702668288ULL;
        f.core->state.dane_carriera.StarSystem = QStringLiteral("Deciat");
        f.core->state.dane_carriera.Body = 5;
        f.core->state.dane_carriera.CarrierName = QStringLiteral("FUXBAU");
        TessivarCore& c = *f.core;
        Tf_KVN w(c.hubClient(), c.state, coreReport(c));
        bool answered = false;
        QTimer::singleShot(0, this, [&answered] {
            auto* form = qobject_cast<Tf_KVN_add*>(QApplication::activeModalWidget());
            if (!form)
                return;
            form->commodity_name->setCurrentText(QStringLiteral("Steel"));
            form->count->setValue(720);
            QTest::mouseClick(form->btn_add, Qt::LeftButton);
            answered = true;
        });
        w.btn_addClick();
        QVERIFY(answered);
        QVERIFY(f.core->hubClient().waitForIdle(10000));
        QCOMPARE(hub.bodies().value(0),
                 QStringLiteral(
                     "act=add_kvn&cmdr=CMDR+Jan&FC=FUXBAU&CarrierID=3702668288&location=Deciat+%2F+Body+5&"
                     "typ=Demand&commodity=Steel&count=720&price=100&code=") +
                     f.core->settings().storedKvnCode());
        QCOMPARE(f.core->settings().storedKvnCode().size(), 32);
        QCOMPARE(hub.bodies().value(1), QStringLiteral("act=get_kvn"));
        QCOMPARE(f.ui.messages(), QStringList{QStringLiteral("added")});
        QCOMPARE(w.label_delay->text(), QStringLiteral("60"));
    }

    void about_layout()
    {
        CoreFixture f;
        writeFile(f.dataDir.filePath(QStringLiteral("settings.ini")),
                  "[links]\r\nchat=https://chat.example/invite\r\ndownload=https://example/download\r\n");
        TessivarCore& c = f.start();
        Tf_about w(c.hubClient(), c.mainWindow(), c.ui(), c.startup().downloadUrl, c.startup().chatUrl);
        QCOMPARE(w.windowTitle(), QStringLiteral("About Tessivar"));
        QVERIFY(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(w.label_version->text(), QStringLiteral("v. 1.3"));
        QCOMPARE(w.label_date->text(), QStringLiteral("07.06.2025"));
        QVERIFY(w.btn_new_version->isHidden());
        QCOMPARE(tabTexts(w.tabs),
                 (QStringList{QStringLiteral("Description"), QStringLiteral("Change log")}));
        // It opens on what changed, in the interface's language.
        QCOMPARE(w.tabs->currentIndex(), 1);
        QVERIFY(qobject_cast<QPlainTextEdit*>(w.tabs->currentWidget())
                    ->toPlainText()
                    .startsWith(QStringLiteral("1.3.0.0\n- Kelvane order exchange")));
        QCOMPARE(w.Timer_hide_start_window.interval(), 5000);
        QVERIFY(w.Timer_hide_start_window.isSingleShot());
        QVERIFY(w.Timer_hide_start_window.isActive());
        QCOMPARE(w.timer_checkVersion.interval(), 500);
        QVERIFY(!w.timer_checkVersion.isActive());

        QCOMPARE(w.edit_chat->text(), QStringLiteral("https://chat.example/invite"));
        QTest::mouseClick(w.btn_open_chat, Qt::LeftButton);
        QTest::mouseClick(w.btn_copy_chat, Qt::LeftButton);
        QCOMPARE(f.ui.openedUrls(), QStringList{QStringLiteral("https://chat.example/invite")});
        QCOMPARE(f.ui.clipboardText(), QStringLiteral("https://chat.example/invite"));

        // No hub configured: showing asks nothing and reports nothing.
        w.show();
        QVERIFY(f.core->hubClient().isIdle());
        QCOMPARE(f.ui.messages(), QStringList());
    }

    void about_splashClosesItselfOnce()
    {
        CoreFixture f;
        TessivarCore& c = f.start();
        Tf_about w(c.hubClient(), c.mainWindow(), c.ui(), c.startup().downloadUrl, c.startup().chatUrl);
        w.showSplash();
        QCOMPARE(w.windowModality(), Qt::ApplicationModal);
        w.Timer_hide_start_window.start(10);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(w.windowModality(), Qt::NonModal);
        // Shown again later, it stays open until closed.
        w.show();
        QVERIFY(!w.Timer_hide_start_window.isActive());
        QTest::mouseClick(w.btn_close, Qt::LeftButton);
        QVERIFY(!w.isVisible());
    }

    void about_announcesAndBlinks()
    {
        HttpStub hub;
        hub.handler = [](const StubRequest&) { return StubResponse::text("1.2.0.0 & more"); };
        CoreFixture f;
        startWithHub(f, hub.url(), "[links]\r\ndownload=https://example/download\r\n");
        TessivarCore& c = *f.core;
        Tf_about w(c.hubClient(), c.mainWindow(), c.ui(), c.startup().downloadUrl, c.startup().chatUrl);
        for (int i = 0; i < 3; ++i) {
            w.show();
            w.hide();
        }
        QVERIFY(f.core->hubClient().waitForIdle(10000));
        QCOMPARE(hub.requests.size(), 3);
        QVERIFY(!w.btn_new_version->isHidden());
        QCOMPARE(w.btn_new_version->text(), QStringLiteral("New version available: 1.2.0.0 && more"));
        QCOMPARE(f.core->mainWindow().btn_new_version_caption,
                 QStringLiteral("New version available: 1.2.0.0 & more"));
        QVERIFY(w.timer_checkVersion.isActive());

        QVERIFY(w.btn_new_version->styleSheet().contains(QStringLiteral("#de9900")));
        w.timer_checkVersionTimer();
        QVERIFY(w.btn_new_version->styleSheet().contains(QStringLiteral("#ffffff")));
        QVERIFY(f.core->mainWindow().btn_new_version_white);
        w.timer_checkVersionTimer();
        QVERIFY(w.btn_new_version->styleSheet().contains(QStringLiteral("#de9900")));
        QVERIFY(!f.core->mainWindow().btn_new_version_white);

        QTest::mouseClick(w.btn_new_version, Qt::LeftButton);
        QCOMPARE(f.ui.openedUrls(), QStringList{QStringLiteral("https://example/download")});
    }
};

QTEST_MAIN(KvnWindowsTest)
#include "kvn_windows_test.moc"
