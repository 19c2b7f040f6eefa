#include "windows/Tf_settings.h"

#include "settings/SettingsStore.h"
#include "widgets/WindowParts.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kStyle = QStringLiteral("Tf_settings { background: rgb(76, 29, 1); }"
                                      "QLabel, QCheckBox { color: rgb(222, 153, 0); font-size: 13px; }"
                                      "QLabel#title { font-size: 40px; font-weight: bold; }"
                                      "QTabWidget::pane { border: 1px solid rgb(140, 90, 20); }"
                                      "QPushButton { font-size: 14px; padding: 4px 14px; }");

}  // namespace

Tf_settings::Tf_settings(SettingsStore& settings, ReportFn report, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), m_settings(settings),
      m_report(std::move(report))
{
    setWindowTitle(QStringLiteral("SETTINGS"));
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
    auto* title = new QLabel(QStringLiteral("🛠️ SETTINGS"), this);
    title->setObjectName(QStringLiteral("title"));
    band->addWidget(title);
    band->addStretch(1);
    layout->addLayout(band);

    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs"));
    tabs->addTab(new QWidget(tabs), QString());
    auto* kelvane = new QWidget(tabs);
    auto* kl = new QVBoxLayout(kelvane);
    auto* text = new QLabel(
        QStringLiteral("To activate KVN, you must consent to communication with the external server"),
        kelvane);
    text->setWordWrap(true);
    kl->addWidget(text);
    ch_kvn_consent =
        new QCheckBox(QStringLiteral("I agree to send information to an external server. (cmdr name, "
                                     "carrier market id, carrier location, buy, sell data)"),
                      kelvane);
    ch_kvn_consent->setObjectName(QStringLiteral("ch_kvn_consent"));
    kl->addWidget(ch_kvn_consent);
    auto* codeText = new QLabel(QStringLiteral("Owner code of your carrier: the hub takes your carrier's "
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
        QStringLiteral("made when you first post an order, or paste the code of your other computer"));
    codeRow->addWidget(edit_kvn_code, 1);
    btn_show_code = new QPushButton(QStringLiteral("👁 Show"), kelvane);
    btn_show_code->setObjectName(QStringLiteral("btn_show_code"));
    btn_show_code->setCheckable(true);
    codeRow->addWidget(btn_show_code);
    kl->addLayout(codeRow);
    kl->addStretch(1);
    tabs->addTab(kelvane, QStringLiteral("Kelvane"));
    tabs->setCurrentIndex(1);
    layout->addWidget(tabs, 1);

    btn_close = addCloseRow(layout, this);

    connect(ch_kvn_consent, &QCheckBox::toggled, &settings, &SettingsStore::setKvnConsent);
    connect(btn_close, &QPushButton::clicked, this, &QDialog::accept);
    connect(btn_show_code, &QPushButton::toggled, this, &Tf_settings::showCode);
    connect(&settings, &SettingsStore::changed, this, &Tf_settings::refresh);
    resize(720, 400);
    refresh();
}

void Tf_settings::refresh()
{
    ch_kvn_consent->setChecked(m_settings.kvn_consent);
}

void Tf_settings::showCode(bool shown)
{
    edit_kvn_code->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
    btn_show_code->setText(shown ? QStringLiteral("🙈 Hide") : QStringLiteral("👁 Show"));
}

void Tf_settings::done(int result)
{
    // However the window is closed (the button, Escape, the title bar), the
    // consent is stored.
    runAction(m_report, [this] {
        m_settings.save_settings();
        m_settings.setKvnCode(edit_kvn_code->text());
    });
    QDialog::done(result);
}

void Tf_settings::showEvent(QShowEvent* event)
{
    runAction(m_report, [this] { edit_kvn_code->setText(m_settings.storedKvnCode()); });
    btn_show_code->setChecked(false);
    showCode(false);
    QDialog::showEvent(event);
    centerOnScreen(this);
}
