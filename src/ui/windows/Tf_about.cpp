#include "windows/Tf_about.h"

#include "MainWindowModel.h"
#include "common/UserInteraction.h"
#include "hub/HubClient.h"
#include "widgets/WindowParts.h"
#include "windows/AboutTexts.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QColor kAmber(222, 153, 0);
const QColor kWhite(255, 255, 255);

QLabel* plainLabel(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QPlainTextEdit* readOnlyText(const QString& text, QWidget* parent)
{
    auto* t = new QPlainTextEdit(text, parent);
    t->setReadOnly(true);
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return t;
}

// "v. 1.3" from "1.3.0.0".
QString shortVersion(const QString& version)
{
    const QStringList parts = version.split(QLatin1Char('.'));
    return QStringLiteral("v. ") + (parts.size() >= 2 ? parts[0] + QLatin1Char('.') + parts[1] : version);
}

}  // namespace

Tf_about::Tf_about(HubClient& kvn, MainWindowModel& mainWindow, UserInteraction& ui, QString downloadUrl,
                   QString chatUrl, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), m_kvn(kvn), m_mainWindow(mainWindow), m_ui(ui),
      m_downloadUrl(std::move(downloadUrl)), m_chatUrl(std::move(chatUrl)), m_newVersionColour(kAmber)
{
    setWindowTitle(Tf_about::tr("About Tessivar"));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* logo = new QLabel(this);
    logo->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    top->addWidget(logo);
    auto* name = plainLabel(QStringLiteral("TESSIVAR"), this);
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    name->setFont(big);
    top->addWidget(name);
    auto* facts = new QVBoxLayout;
    label_version = plainLabel(shortVersion(VersionCheck::appVersion()), this);
    label_version->setObjectName(QStringLiteral("label_version"));
    label_date = plainLabel(QStringLiteral("07.06.2025"), this);
    label_date->setObjectName(QStringLiteral("label_date"));
    btn_new_version = new QPushButton(this);
    btn_new_version->setObjectName(QStringLiteral("btn_new_version"));
    btn_new_version->setToolTip(Tf_about::tr("Get newest version from website"));
    btn_new_version->hide();
    facts->addWidget(label_version);
    facts->addWidget(label_date);
    facts->addWidget(btn_new_version);
    top->addLayout(facts);
    top->addStretch(1);
    layout->addLayout(top);

    tabs = new QTabWidget(this);
    tabs->addTab(readOnlyText(AboutTexts::description(), tabs), tr("Description"));
    tabs->addTab(readOnlyText(AboutTexts::changes(), tabs), tr("Change log"));
    tabs->setCurrentIndex(1);
    layout->addWidget(tabs, 1);

    auto* bottom = new QHBoxLayout;
    auto* chat = new QGroupBox(this);
    auto* chatLayout = new QHBoxLayout(chat);
    chatLayout->addWidget(plainLabel(QStringLiteral("💬"), chat));
    edit_chat = new QLineEdit(m_chatUrl, chat);
    edit_chat->setObjectName(QStringLiteral("edit_chat"));
    edit_chat->setReadOnly(true);
    chatLayout->addWidget(edit_chat, 1);
    btn_open_chat = new QPushButton(Tf_about::tr("Open in browser"), chat);
    btn_open_chat->setObjectName(QStringLiteral("btn_open_chat"));
    btn_copy_chat = new QPushButton(Tf_about::tr("📋 Copy to clipboard"), chat);
    btn_copy_chat->setObjectName(QStringLiteral("btn_copy_chat"));
    btn_open_chat->setEnabled(!m_chatUrl.isEmpty());
    btn_copy_chat->setEnabled(!m_chatUrl.isEmpty());
    chatLayout->addWidget(btn_open_chat);
    chatLayout->addWidget(btn_copy_chat);
    bottom->addWidget(chat, 1);
    btn_close = new QPushButton(Tf_about::tr("❌ Close"), this);
    btn_close->setObjectName(QStringLiteral("btn_close"));
    bottom->addWidget(btn_close);
    layout->addLayout(bottom);

    resize(824, 659);
    centerOnScreen(this);

    connect(btn_close, &QPushButton::clicked, this, &Tf_about::btn_closeClick);
    // Escape closes it like its Close button.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &Tf_about::btn_closeClick);
    connect(btn_new_version, &QPushButton::clicked, this, [this] {
        if (!m_downloadUrl.isEmpty())
            m_ui.openUrl(m_downloadUrl);
    });
    connect(btn_open_chat, &QPushButton::clicked, this, [this] { m_ui.openUrl(m_chatUrl); });
    connect(btn_copy_chat, &QPushButton::clicked, this, [this] { m_ui.setClipboardText(m_chatUrl); });
    connect(&kvn.versionCheck(), &VersionCheck::newVersionAnnounced, this, &Tf_about::announce);

    timer_checkVersion.setInterval(500);
    connect(&timer_checkVersion, &QTimer::timeout, this, &Tf_about::timer_checkVersionTimer);
    Timer_hide_start_window.setSingleShot(true);
    Timer_hide_start_window.setInterval(5000);
    connect(&Timer_hide_start_window, &QTimer::timeout, this, &Tf_about::Timer_hide_start_windowTimer);
    Timer_hide_start_window.start();
}

void Tf_about::showSplash()
{
    setWindowModality(Qt::ApplicationModal);
    show();
}

void Tf_about::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_kvn.versionCheck().check();
}

void Tf_about::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // Shown again later by "🛈", the window is no longer modal.
    if (windowModality() != Qt::NonModal)
        setWindowModality(Qt::NonModal);
}

void Tf_about::btn_closeClick()
{
    close();
}

void Tf_about::Timer_hide_start_windowTimer()
{
    Timer_hide_start_window.stop();
    close();
}

void Tf_about::announce(const QString& caption)
{
    btn_new_version->setText(buttonCaption(caption));
    btn_new_version->show();
    setNewVersionColour(m_newVersionColour);
    timer_checkVersion.start();
}

void Tf_about::timer_checkVersionTimer()
{
    const bool toWhite = m_newVersionColour == kAmber;
    setNewVersionColour(toWhite ? kWhite : kAmber);
    m_mainWindow.setNewVersionWhite(toWhite);
}

void Tf_about::setNewVersionColour(const QColor& c)
{
    m_newVersionColour = c;
    btn_new_version->setStyleSheet(QStringLiteral("color: %1;").arg(c.name()));
}
