#include "windows/Tf_ED.h"

#include "journal/LogModel.h"
#include "mobile/MobileLink.h"
#include "widgets/ElidedLabel.h"
#include "widgets/Logo.h"
#include "widgets/WebSharePanel.h"
#include "widgets/WindowParts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// What the journal has not told yet.
QString orUnknown(const std::optional<QString>& value)
{
    return value.value_or(QStringLiteral("-/-"));
}

const QString kStyle =
    QStringLiteral("Tf_ED { background: rgb(76, 29, 1); }"
                   "QGroupBox { color: rgb(222, 153, 0); font-size: 15px; font-weight: bold;"
                   "  border: 1px solid rgb(140, 90, 20); margin-top: 9px; padding-top: 4px; }"
                   "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; }"
                   "QLabel, QCheckBox { color: rgb(222, 153, 0); font-size: 12px; font-weight: normal; }"
                   "QLabel[caption=\"true\"] { font-weight: bold; }"
                   "QPushButton, QToolButton { font-size: 12px; font-weight: normal; padding: 1px 6px; }"
                   "QLineEdit { font-size: 12px; font-weight: normal; }"
                   "QListView { font-family: monospace; font-size: 11px; }");

QLabel* captionLabel(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setProperty("caption", true);
    return l;
}

QLabel* valueLabel(const char* name, QWidget* parent)
{
    // Long names elide (whole in the tooltip) rather than widen the window.
    auto* l = new ElidedLabel(QStringLiteral("-/-"), parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

QPushButton* copyButton(const char* name, QWidget* parent)
{
    auto* b = new QPushButton(Tf_ED::tr("copy"), parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(Tf_ED::tr("Copy to clipboard"));
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

// One row of an information box: a caption, a value label and, for values
// worth pasting elsewhere, a copy button.
struct InfoRow
{
    QString caption;
    const char* valueName;
    QLabel** value;
    const char* copyName = nullptr;
    QPushButton** copy = nullptr;
};

QGroupBox* infoBox(const QString& title, std::initializer_list<InfoRow> rows, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(1);
    int r = 0;
    for (const InfoRow& row : rows) {
        *row.value = valueLabel(row.valueName, box);
        grid->addWidget(captionLabel(row.caption, box), r, 0);
        grid->addWidget(*row.value, r, 1);
        if (row.copy) {
            *row.copy = copyButton(row.copyName, box);
            grid->addWidget(*row.copy, r, 2);
        }
        ++r;
    }
    grid->setColumnStretch(1, 1);
    return box;
}

// What the link to the phone is doing, beside its "Active" box.
QString mobileStateText(MobileLink::LinkState state)
{
    using State = MobileLink::LinkState;
    switch (state) {
    case State::Unavailable:
        return Tf_ED::tr("Link: after the journal is read");
    case State::Off:
        return Tf_ED::tr("Link: off");
    case State::Connecting:
        return Tf_ED::tr("Link: connecting…");
    case State::On:
        return Tf_ED::tr("Link: connected");
    case State::ListeningOnly:
        return Tf_ED::tr("Link: connected, not sending");
    case State::Broken:
        return Tf_ED::tr("Link: lost; tick Active to retry");
    }
    return {};
}

}  // namespace

Tf_ED::Tf_ED(MainWindowModel& mainWindow, LogModel& log, MobileLink& mobile, WebShare& web, QWidget* parent)
    : QWidget(parent), m_mainWindow(mainWindow), m_log(log), m_mobile(mobile), m_web(web)
{
    setWindowTitle(QStringLiteral("Tessivar"));
    setObjectName(QStringLiteral("f_ED"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(kStyle);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(3);
    layout->addWidget(buildToolBar());
    layout->addWidget(buildUpperBand());
    layout->addWidget(buildLowerBand());

    Memo1 = new QListView(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setUniformItemSizes(true);
    Memo1->setModel(&m_log);
    Memo1->setFixedHeight(122);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setWordWrap(false);
    Memo1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(Memo1);
    Label_time = new QLabel(QStringLiteral("-/-"), this);
    Label_time->setObjectName(QStringLiteral("Label_time"));
    Label_time->setTextFormat(Qt::PlainText);
    layout->addWidget(Label_time);
    progress_pass = new QProgressBar(this);
    progress_pass->setObjectName(QStringLiteral("progress_pass"));
    progress_pass->setRange(0, 1000);
    progress_pass->setFormat(Tf_ED::tr("Reading the journal… %p%"));
    progress_pass->hide();
    layout->addWidget(progress_pass);

    // A group never narrower than its caption (the style sheet sets its font).
    for (QGroupBox* box : findChildren<QGroupBox*>()) {
        box->ensurePolished();
        const int title = box->fontMetrics().horizontalAdvance(box->title()) + 24;
        box->setMinimumWidth(std::max(box->minimumWidth(), title));
    }
    resize(1122, 351);
    connect(&m_mainWindow, &MainWindowModel::changed, this, &Tf_ED::refresh);
    connect(&m_log, &QAbstractItemModel::rowsInserted, Memo1, &QListView::scrollToBottom);
    connect(&m_mainWindow, &MainWindowModel::passProgress, this, &Tf_ED::showPassProgress);
    refresh();
}

void Tf_ED::showPassProgress(qint64 done, qint64 total)
{
    const bool running = done < total;
    progress_pass->setValue(total > 0 ? int(done * 1000 / total) : 0);
    progress_pass->setVisible(running);
}

QWidget* Tf_ED::buildToolBar()
{
    auto* bar = new QWidget(this);
    auto* l = new QHBoxLayout(bar);
    l->setContentsMargins(0, 0, 0, 0);
    auto tool = [bar, l](QToolButton*& b, const char* name, const QString& text, const QString& hint) {
        b = new QToolButton(bar);
        b->setObjectName(QLatin1String(name));
        b->setText(text);
        b->setToolTip(hint);
        l->addWidget(b);
    };
    tool(btn_about, "btn_about", QStringLiteral("🛈"), Tf_ED::tr("About Tessivar"));
    tool(btn_settings, "btn_settings", QStringLiteral("🛠️"), Tf_ED::tr("Settings"));
    tool(btn_help, "btn_help", QStringLiteral("📖"), Tf_ED::tr("Help"));
    // Nothing to show yet: a control that does nothing stays out of sight.
    btn_help->setEnabled(false);
    btn_help->hide();
    ch_lock_panels = new QCheckBox(Tf_ED::tr("Lock panels"), bar);
    ch_lock_panels->setObjectName(QStringLiteral("ch_lock_panels"));
    ch_lock_panels->setToolTip(Tf_ED::tr("Lock / Release panels"));
    l->addWidget(ch_lock_panels);
    btn_new_version = new QPushButton(bar);
    btn_new_version->setObjectName(QStringLiteral("btn_new_version"));
    btn_new_version->setToolTip(Tf_ED::tr("Get newest version from website"));
    btn_new_version->hide();
    l->addWidget(btn_new_version);
    l->addStretch(1);

    MainWindowModel& mw = m_mainWindow;
    connect(btn_about, &QToolButton::clicked, this, &Tf_ED::aboutRequested);
    connect(btn_settings, &QToolButton::clicked, this, &Tf_ED::settingsRequested);
    connect(ch_lock_panels, &QCheckBox::clicked, &mw, &MainWindowModel::lockPanelsClick);
    connect(btn_new_version, &QPushButton::clicked, &mw, &MainWindowModel::openNewVersionPage);
    return bar;
}

QWidget* Tf_ED::buildUpperBand()
{
    auto* band = new QWidget(this);
    auto* l = new QHBoxLayout(band);
    l->setContentsMargins(0, 0, 0, 0);

    auto* logo = new QLabel(band);
    logo->setObjectName(QStringLiteral("logo"));
    logo->setPixmap(logoPixmap(72));
    l->addWidget(logo);

    auto* cmdr = new QGroupBox(Tf_ED::tr("Commander Info"), band);
    auto* cl = new QGridLayout(cmdr);
    cl->setVerticalSpacing(2);
    Label_cmdr_val = valueLabel("Label_cmdr_val", cmdr);
    Label_cr_val = valueLabel("Label_cr_val", cmdr);
    cl->addWidget(captionLabel(Tf_ED::tr("Name:"), cmdr), 0, 0);
    cl->addWidget(Label_cmdr_val, 0, 1);
    cl->addWidget(captionLabel(Tf_ED::tr("CR:"), cmdr), 1, 0);
    cl->addWidget(Label_cr_val, 1, 1);
    btn_full_info = new QPushButton(Tf_ED::tr("ℹ️ Full Info"), cmdr);
    btn_full_info->setObjectName(QStringLiteral("btn_full_info"));
    btn_full_info->setToolTip(Tf_ED::tr("Show more info about commander"));
    btn_full_info->setEnabled(false);
    btn_full_info->hide();
    cl->addWidget(btn_full_info, 2, 0, 1, 2, Qt::AlignLeft);
    cl->setColumnStretch(1, 1);
    cmdr->setMinimumWidth(230);
    l->addWidget(cmdr);

    auto* panels = new QGroupBox(Tf_ED::tr("Show/Hide Panels:"), band);
    auto* pl = new QGridLayout(panels);
    pl->setVerticalSpacing(2);
    const struct
    {
        MainWindowModel::Panel panel;
        const char* name;
        const char* text;
        int row, column;
    } boxes[] = {
        {MainWindowModel::SystemInfoPanel, "ch_bgs", QT_TRANSLATE_NOOP("Tf_ED", "SYSTEM INFO"), 0, 0},
        {MainWindowModel::CargoPanel, "ch_cargo", QT_TRANSLATE_NOOP("Tf_ED", "CARGO"), 1, 0},
        {MainWindowModel::ConstructionPanel, "ch_construct", QT_TRANSLATE_NOOP("Tf_ED", "CONSTRUCTION SITE"),
         2, 0},
        {MainWindowModel::DataBasePanel, "ch_db", QT_TRANSLATE_NOOP("Tf_ED", "DATA BASE"), 0, 1},
        {MainWindowModel::KelvanePanel, "ch_kvn", QT_TRANSLATE_NOOP("Tf_ED", "KELVANE"), 1, 1},
        {MainWindowModel::MarketPanel, "ch_market", QT_TRANSLATE_NOOP("Tf_ED", "MARKET"), 2, 1},
    };
    MainWindowModel& mw = m_mainWindow;
    for (const auto& b : boxes) {
        auto* box = new QCheckBox(tr(b.text), panels);
        box->setObjectName(QLatin1String(b.name));
        pl->addWidget(box, b.row, b.column);
        panelBoxes[size_t(b.panel)] = box;
        const MainWindowModel::Panel p = b.panel;
        connect(box, &QCheckBox::clicked, &mw, [&mw, p](bool checked) { mw.panelClick(p, checked); });
    }
    panels->setMinimumWidth(300);
    l->addWidget(panels);

    auto* mobile = new QGroupBox(Tf_ED::tr("Send a copy to mobile:"), band);
    auto* ml = new QGridLayout(mobile);
    ml->addWidget(captionLabel(Tf_ED::tr("Phone address:"), mobile), 0, 0);
    edit_mobile_ip = new QLineEdit(mobile);
    edit_mobile_ip->setObjectName(QStringLiteral("edit_mobile_ip"));
    edit_mobile_ip->setMaximumWidth(140);
    edit_mobile_ip->setPlaceholderText(tr("phone's address"));
    edit_mobile_ip->setToolTip(tr("The address the phone app shows, such as 192.168.1.20"));
    ml->addWidget(edit_mobile_ip, 0, 1);
    ch_wysylaj = new QCheckBox(Tf_ED::tr("Active"), mobile);
    ch_wysylaj->setObjectName(QStringLiteral("ch_wysylaj"));
    ch_wysylaj->setToolTip(Tf_ED::tr("Activate sending data to mobile"));
    ml->addWidget(ch_wysylaj, 1, 1);
    label_mobile_state = new QLabel(mobile);
    label_mobile_state->setObjectName(QStringLiteral("label_mobile_state"));
    ml->addWidget(label_mobile_state, 2, 0, 1, 2);
    ml->setRowStretch(3, 1);
    // The link decides whether the box stays ticked (an empty address unticks it again).
    MobileLink& link = m_mobile;
    connect(edit_mobile_ip, &QLineEdit::textEdited, &link, [&link](const QString& t) { link.setAddress(t); });
    connect(ch_wysylaj, &QCheckBox::clicked, &link, [&link](bool checked) { link.ch_wysylajClick(checked); });
    connect(&link, &MobileLink::changed, this, &Tf_ED::refreshMobile);
    l->addWidget(mobile);
    l->addWidget(new WebSharePanel(m_web, band));
    l->addStretch(1);
    return band;
}

QWidget* Tf_ED::buildLowerBand()
{
    auto* band = new QWidget(this);
    auto* l = new QHBoxLayout(band);
    l->setContentsMargins(0, 0, 0, 0);
    MainWindowModel& mw = m_mainWindow;

    l->addWidget(infoBox(Tf_ED::tr("Carrier Info:"),
                         {{Tf_ED::tr("🚀 Name:"), "Label_carrier_name_val", &Label_carrier_name_val,
                           "btn_copy_carrier_name", &btn_copy_carrier_name},
                          {Tf_ED::tr("✨ System:"), "Label_carrier_system_val", &Label_carrier_system_val,
                           "btn_copy_carrier_system", &btn_copy_carrier_system},
                          {Tf_ED::tr("🪐 Body:"), "Label_carrier_body_val", &Label_carrier_body_val}},
                         band),
                 1);
    l->addWidget(infoBox(Tf_ED::tr("Dock Info"),
                         {{Tf_ED::tr("✨ System:"), "Label_dock_system_val", &Label_dock_system_val,
                           "btn_copy_dock_system", &btn_copy_dock_system},
                          {Tf_ED::tr("Station:"), "Label_dock_station_val", &Label_dock_station_val,
                           "btn_copy_dock_station", &btn_copy_dock_station},
                          {Tf_ED::tr("Type:"), "Label_dock_type_val", &Label_dock_type_val}},
                         band),
                 1);

    const std::pair<QPushButton*, MainWindowModel::CopyField> copies[] = {
        {btn_copy_carrier_name, MainWindowModel::CopyCarrierName},
        {btn_copy_carrier_system, MainWindowModel::CopyCarrierSystem},
        {btn_copy_dock_system, MainWindowModel::CopyDockSystem},
        {btn_copy_dock_station, MainWindowModel::CopyDockStation},
    };
    for (const auto& [button, field] : copies)
        connect(button, &QPushButton::clicked, &mw, [&mw, f = field] { mw.copyToClipboard(f); });
    return band;
}

void Tf_ED::refreshMobile()
{
    const MobileLink& link = m_mobile;
    if (edit_mobile_ip->text() != link.address())
        edit_mobile_ip->setText(link.address());
    // Nothing to send to while the address is empty (a ticked box can still be unticked).
    ch_wysylaj->setEnabled(link.activeBoxEnabled() &&
                           (!link.address().trimmed().isEmpty() || link.isActive()));
    ch_wysylaj->setChecked(link.isActive());
    label_mobile_state->setText(mobileStateText(link.state()));
}

void Tf_ED::refresh()
{
    const MainWindowModel& mw = m_mainWindow;
    Label_cmdr_val->setText(orUnknown(mw.commanderName));
    Label_cr_val->setText(mw.credits ? groupedNumber(*mw.credits) : orUnknown({}));
    Label_carrier_name_val->setText(orUnknown(mw.carrierName));
    Label_carrier_system_val->setText(orUnknown(mw.carrierSystem));
    Label_carrier_body_val->setText(mw.carrierBody ? QString::number(*mw.carrierBody) : orUnknown({}));
    Label_dock_system_val->setText(orUnknown(mw.dockSystem));
    Label_dock_station_val->setText(orUnknown(mw.dockStation));
    Label_dock_type_val->setText(orUnknown(mw.dockType));
    Label_time->setText(orUnknown(mw.journalTime));
    for (size_t i = 0; i < panelBoxes.size(); ++i)
        panelBoxes[i]->setChecked(mw.isPanelChecked(MainWindowModel::Panel(i)));
    ch_lock_panels->setChecked(mw.ch_lock_panels);
    refreshMobile();
    btn_new_version->setText(buttonCaption(mw.btn_new_version_caption));
    btn_new_version->setVisible(!mw.btn_new_version_caption.isEmpty());
    btn_new_version->setStyleSheet(mw.btn_new_version_white ? QStringLiteral("color: rgb(255, 255, 255);")
                                                            : QStringLiteral("color: rgb(222, 153, 0);"));
}
