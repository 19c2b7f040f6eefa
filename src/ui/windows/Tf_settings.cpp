#include "windows/Tf_settings.h"

#include "common/Language.h"
#include "mobile/MobileLink.h"
#include "notify/Notifier.h"
#include "settings/SettingsStore.h"
#include "web/WebShare.h"
#include "widgets/WindowParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString kStyle = QStringLiteral("Tf_settings { background: rgb(76, 29, 1); }"
                                      "QLabel, QCheckBox { color: rgb(222, 153, 0); font-size: 13px; }"
                                      "QLabel#title { font-size: 40px; font-weight: bold; }"
                                      "QTabWidget::pane { border: 1px solid rgb(140, 90, 20); }"
                                      "QPushButton { font-size: 14px; padding: 4px 14px; }");

}  // namespace

Tf_settings::Tf_settings(SettingsStore& settings, ReportFn report, QWidget* parent)
    : Tf_settings(settings, std::move(report), Sources{}, parent)
{}

Tf_settings::Tf_settings(SettingsStore& settings, ReportFn report, Sources sources, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), m_settings(settings),
      m_report(std::move(report)), m_sources(std::move(sources))
{
    setWindowTitle(Tf_settings::tr("SETTINGS"));
    setObjectName(QStringLiteral("f_settings"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(kStyle);
    setModal(true);
    setSizeGripEnabled(true);

    auto* layout = new QVBoxLayout(this);
    auto* band = new QHBoxLayout;
    auto* image = new QLabel(QStringLiteral("⚙️"), this);
    image->setStyleSheet(QStringLiteral("font-family: 'Noto Color Emoji'; font-size: 44px;"));
    band->addWidget(image);
    auto* title = new QLabel(Tf_settings::tr("🛠️ SETTINGS"), this);
    title->setObjectName(QStringLiteral("title"));
    band->addWidget(title);
    band->addStretch(1);
    layout->addLayout(band);

    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs"));
    tabs->addTab(buildGeneralTab(), tr("General"));
    tabs->addTab(buildKelvaneTab(), QStringLiteral("Kelvane"));
    tabs->addTab(buildBrowserTab(), tr("Browser page"));
    tabs->setCurrentIndex(0);
    layout->addWidget(tabs, 1);

    btn_close = addCloseRow(layout, this);

    connect(ch_kvn_consent, &QCheckBox::toggled, &settings, &SettingsStore::setKvnConsent);
    connect(btn_close, &QPushButton::clicked, this, &QDialog::accept);
    connect(btn_show_code, &QPushButton::toggled, this, &Tf_settings::showCode);
    connect(&settings, &SettingsStore::changed, this, &Tf_settings::refresh);
    resize(720, 440);
    refresh();
}

namespace {

QLabel* note(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    l->setStyleSheet(QStringLiteral("font-size: 11px; font-style: italic;"));
    return l;
}

QLabel* caption(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    l->setStyleSheet(QStringLiteral("font-weight: bold;"));
    return l;
}

}  // namespace

QWidget* Tf_settings::buildGeneralTab()
{
    auto* page = new QWidget(this);
    auto* l = new QVBoxLayout(page);
    l->addWidget(caption(tr("Journal folder"), page));
    auto* row = new QHBoxLayout;
    edit_journal_dir = new QLineEdit(page);
    edit_journal_dir->setObjectName(QStringLiteral("edit_journal_dir"));
    edit_journal_dir->setPlaceholderText(tr("the game's journal folder (found by itself when left empty)"));
    edit_journal_dir->setText(QDir::toNativeSeparators(m_sources.journalDir));
    row->addWidget(edit_journal_dir, 1);
    btn_browse_journal = new QPushButton(tr("Browse…"), page);
    btn_browse_journal->setObjectName(QStringLiteral("btn_browse_journal"));
    row->addWidget(btn_browse_journal);
    l->addLayout(row);
    QString tried;
    if (m_sources.journalDir.isEmpty() && !m_sources.journalDirsTried.isEmpty()) {
        QStringList shown;
        for (const QString& t : std::as_const(m_sources.journalDirsTried))
            shown.append(QDir::toNativeSeparators(t));
        tried =
            tr("No journal folder was found. Looked at:") + QLatin1Char('\n') + shown.join(QLatin1Char('\n'));
    }
    label_journal_tried = note(tried, page);
    label_journal_tried->setObjectName(QStringLiteral("label_journal_tried"));
    label_journal_tried->setVisible(!tried.isEmpty());
    l->addWidget(label_journal_tried);
    l->addWidget(note(tr("Takes effect at the next start."), page));

    l->addWidget(caption(tr("Phone address"), page));
    edit_phone = new QLineEdit(page);
    edit_phone->setObjectName(QStringLiteral("edit_phone"));
    edit_phone->setPlaceholderText(tr("the address the phone app shows, such as 192.168.1.20"));
    edit_phone->setEnabled(m_sources.mobile != nullptr);
    l->addWidget(edit_phone);
    l->addWidget(note(tr("Takes effect at once; \"Active\" in the main window starts sending."), page));

    l->addWidget(caption(tr("Language"), page));
    combo_language = new QComboBox(page);
    combo_language->setObjectName(QStringLiteral("combo_language"));
    for (const Language::Choice& c : Language::choices())
        combo_language->addItem(c.name, c.code);
    const QString stored = m_settings.value(SettingKeys::Language).trimmed().toLower();
    combo_language->setCurrentIndex(std::max(0, combo_language->findData(stored)));
    l->addWidget(combo_language);
    l->addWidget(note(tr("Takes effect at the next start."), page));

    ch_notify = new QCheckBox(tr("Desktop notifications"), page);
    ch_notify->setObjectName(QStringLiteral("ch_notify"));
    ch_notify->setToolTip(
        tr("A site completes, a commodity needs no more buying, a market sells what is still to buy"));
    ch_notify->setEnabled(m_sources.notifier != nullptr);
    ch_notify->setChecked(m_sources.notifier && m_sources.notifier->enabled());
    l->addWidget(ch_notify);
    l->addStretch(1);
    if (Notifier* notifier = m_sources.notifier) {
        connect(ch_notify, &QCheckBox::toggled, this, [this, notifier](bool on) {
            runAction(m_report, [notifier, on] { notifier->setEnabled(on); });
        });
        connect(notifier, &Notifier::enabledChanged, ch_notify, &QCheckBox::setChecked);
    }
    connect(combo_language, &QComboBox::activated, this, [this] {
        const QString code = combo_language->currentData().toString();
        runAction(m_report, [this, code] { m_settings.setValue(SettingKeys::Language, code); });
    });

    connect(btn_browse_journal, &QPushButton::clicked, this, [this] {
        const QString dir =
            QFileDialog::getExistingDirectory(this, tr("Journal folder"), edit_journal_dir->text());
        if (dir.isEmpty())
            return;
        edit_journal_dir->setText(QDir::toNativeSeparators(dir));
        emit edit_journal_dir->editingFinished();
    });
    connect(edit_journal_dir, &QLineEdit::editingFinished, this, [this] {
        const QString dir = QDir::fromNativeSeparators(edit_journal_dir->text().trimmed());
        if (dir == m_sources.journalDir)
            return;
        m_sources.journalDir = dir;
        m_settings.setValue(SettingKeys::JournalDir, dir);
    });
    if (MobileLink* link = m_sources.mobile)
        connect(edit_phone, &QLineEdit::textEdited, link,
                [link](const QString& t) { link->setAddress(t.trimmed()); });
    return page;
}

QWidget* Tf_settings::buildKelvaneTab()
{
    auto* kelvane = new QWidget(this);
    auto* kl = new QVBoxLayout(kelvane);
    auto* text = new QLabel(
        Tf_settings::tr("To activate KVN, you must consent to communication with the external server"),
        kelvane);
    text->setWordWrap(true);
    kl->addWidget(text);
    ch_kvn_consent =
        new QCheckBox(Tf_settings::tr("I agree to send information to an external server. (cmdr name, "
                                      "carrier market id, carrier location, buy, sell data)"),
                      kelvane);
    ch_kvn_consent->setObjectName(QStringLiteral("ch_kvn_consent"));
    kl->addWidget(ch_kvn_consent);
    kl->addWidget(note(tr("Takes effect at once."), kelvane));
    auto* codeText = new QLabel(Tf_settings::tr("Owner code of your carrier: the hub takes your carrier's "
                                                "orders only with this code. Use the same code on every "
                                                "computer that posts them, and keep it secret."),
                                kelvane);
    codeText->setWordWrap(true);
    kl->addWidget(codeText);
    auto* codeRow = new QHBoxLayout;
    edit_kvn_code = new QLineEdit(kelvane);
    edit_kvn_code->setObjectName(QStringLiteral("edit_kvn_code"));
    edit_kvn_code->setEchoMode(QLineEdit::Password);
    edit_kvn_code->setPlaceholderText(
        Tf_settings::tr("made when you first post an order, or paste the code of your other computer"));
    codeRow->addWidget(edit_kvn_code, 1);
    btn_show_code = new QPushButton(Tf_settings::tr("👁 Show"), kelvane);
    btn_show_code->setObjectName(QStringLiteral("btn_show_code"));
    btn_show_code->setCheckable(true);
    codeRow->addWidget(btn_show_code);
    kl->addLayout(codeRow);
    kl->addWidget(caption(tr("Hub address"), kelvane));
    edit_hub_url = new QLineEdit(m_sources.hubUrl, kelvane);
    edit_hub_url->setObjectName(QStringLiteral("edit_hub_url"));
    edit_hub_url->setPlaceholderText(tr("https://… the address of the Kelvane hub"));
    kl->addWidget(edit_hub_url);
    kl->addWidget(note(tr("Takes effect at the next start."), kelvane));
    kl->addStretch(1);
    connect(edit_hub_url, &QLineEdit::editingFinished, this, [this] {
        const QString url = edit_hub_url->text().trimmed();
        if (url == m_sources.hubUrl)
            return;
        m_sources.hubUrl = url;
        m_settings.setValue(SettingKeys::HubUrl, url);
    });
    return kelvane;
}

QWidget* Tf_settings::buildBrowserTab()
{
    auto* page = new QWidget(this);
    auto* l = new QVBoxLayout(page);
    ch_web_share = new QCheckBox(Tf_settings::tr("Share to browser"), page);
    ch_web_share->setObjectName(QStringLiteral("ch_settings_web_share"));
    ch_web_local_only = new QCheckBox(Tf_settings::tr("this computer only"), page);
    ch_web_local_only->setObjectName(QStringLiteral("ch_settings_web_local_only"));
    l->addWidget(ch_web_share);
    l->addWidget(ch_web_local_only);
    auto* row = new QHBoxLayout;
    row->addWidget(caption(tr("Port:"), page));
    spin_web_port = new QSpinBox(page);
    spin_web_port->setObjectName(QStringLiteral("spin_web_port"));
    spin_web_port->setRange(1024, 65535);
    row->addWidget(spin_web_port);
    row->addStretch(1);
    l->addLayout(row);
    l->addWidget(note(tr("Each takes effect at once; the main window shows the page's address."), page));
    l->addStretch(1);
    for (QWidget* w : {static_cast<QWidget*>(ch_web_share), static_cast<QWidget*>(ch_web_local_only),
                       static_cast<QWidget*>(spin_web_port)})
        w->setEnabled(m_sources.web != nullptr);
    if (WebShare* web = m_sources.web) {
        connect(ch_web_share, &QCheckBox::clicked, web, &WebShare::setShared);
        connect(ch_web_local_only, &QCheckBox::clicked, web, &WebShare::setLocalOnly);
        connect(spin_web_port, &QSpinBox::editingFinished, web,
                [this, web] { web->setPort(quint16(spin_web_port->value())); });
        connect(web, &WebShare::changed, this, &Tf_settings::refresh);
    }
    return page;
}

void Tf_settings::refresh()
{
    ch_kvn_consent->setChecked(m_settings.kvn_consent);
    if (const WebShare* web = m_sources.web) {
        ch_web_share->setChecked(web->isShared());
        ch_web_local_only->setChecked(web->isLocalOnly());
        if (!spin_web_port->hasFocus())
            spin_web_port->setValue(web->port());
    }
}

void Tf_settings::showCode(bool shown)
{
    edit_kvn_code->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
    btn_show_code->setText(shown ? tr("🙈 Hide") : tr("👁 Show"));
}

void Tf_settings::done(int result)
{
    // However the window is closed (the button, Escape, the title bar), the
    // consent is stored.
    runAction(m_report, [this] {
        m_settings.storeHubConsent();
        m_settings.setKvnCode(edit_kvn_code->text());
    });
    QDialog::done(result);
}

void Tf_settings::showEvent(QShowEvent* event)
{
    runAction(m_report, [this] { edit_kvn_code->setText(m_settings.storedKvnCode()); });
    if (m_sources.mobile)
        edit_phone->setText(m_sources.mobile->address());
    refresh();
    btn_show_code->setChecked(false);
    showCode(false);
    QDialog::showEvent(event);
    centerOnScreen(this);
}
