#include "widgets/WidgetInteraction.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

namespace {

// A text that came several times, shown once with its count.
QString repeatedText(const QString& text, int count)
{
    return QCoreApplication::translate("WidgetInteraction", "%1\n(%n times)", nullptr, count).arg(text);
}

// Filters come as "Description|*.ext" pairs; a description that already
// ends in its pattern keeps it once.
QString dialogFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QString qtFilter;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString pattern = QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
        qtFilter += (qtFilter.isEmpty() ? QString() : QStringLiteral(";;")) + parts[i] +
                    (parts[i].endsWith(pattern) ? QString() : pattern);
    }
    return qtFilter;
}

}  // namespace

// Counts an open prompt; when the last one closes, the texts that waited for
// it get their box.
struct WidgetInteraction::PromptGuard
{
    WidgetInteraction& ui;
    explicit PromptGuard(WidgetInteraction& u) : ui(u) { ++ui.m_dialogDepth; }
    ~PromptGuard()
    {
        --ui.m_dialogDepth;
        ui.showWaitingTexts();
    }
    PromptGuard(const PromptGuard&) = delete;
    PromptGuard& operator=(const PromptGuard&) = delete;
};

WidgetInteraction::~WidgetInteraction()
{
    delete m_box.data();
}

void WidgetInteraction::showMessage(const QString& text)
{
    ScriptedInteraction::showMessage(text);
    if (m_recordOnly)
        return;
    m_waiting.append(text);
    showWaitingTexts();
}

void WidgetInteraction::showReport(const QStringList& texts)
{
    showMessage(texts.join(QStringLiteral("\n\n")));
}

void WidgetInteraction::showWaitingTexts()
{
    if (m_waiting.isEmpty() || m_box || m_dialogDepth > 0)
        return;
    // The same text again is counted, not repeated, and a long report keeps
    // the box within the screen: its whole text is behind "Show Details...".
    QStringList texts;
    QList<int> counts;
    for (const QString& t : std::as_const(m_waiting)) {
        const qsizetype at = texts.indexOf(t);
        if (at >= 0) {
            ++counts[at];
        } else {
            texts.append(t);
            counts.append(1);
        }
    }
    for (qsizetype i = 0; i < texts.size(); ++i)
        if (counts[i] > 1)
            texts[i] = repeatedText(texts[i], counts[i]);
    const QString all = texts.join(QStringLiteral("\n\n"));
    constexpr int kShownLines = 12;
    constexpr int kShownChars = 1200;
    const QStringList lines = all.split(QLatin1Char('\n'));
    const bool cut = lines.size() > kShownLines || all.size() > kShownChars;
    const QString shown =
        cut ? lines.mid(0, kShownLines).join(QLatin1Char('\n')).left(kShownChars) + QStringLiteral("\n…")
            : all;
    auto* box = new QMessageBox(QMessageBox::Information, QApplication::applicationDisplayName(), shown,
                                QMessageBox::Ok, m_parent);
    if (cut)
        box->setDetailedText(all);
    m_waiting.clear();
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    m_box = box;
    QObject::connect(box, &QDialog::finished, box, [this, box] {
        if (m_box == box)
            m_box = nullptr;
        showWaitingTexts();
    });
    // Modal to the main window only, and without a local event loop: the
    // caller goes on at once.
    box->open();
}

std::optional<QString> WidgetInteraction::askText(const QString& caption, const QString& prompt,
                                                  const QString& proposal)
{
    if (useQueue())
        return ScriptedInteraction::askText(caption, prompt, proposal);
    PromptGuard g(*this);
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, caption, prompt, QLineEdit::Normal, proposal, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

bool WidgetInteraction::askYesNo(const QString& caption, const QString& text)
{
    if (useQueue())
        return ScriptedInteraction::askYesNo(caption, text);
    PromptGuard g(*this);
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setTextFormat(Qt::PlainText);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> WidgetInteraction::askOpenFile(const QString& title, const QString& folder,
                                                      const QString& filter)
{
    if (useQueue())
        return ScriptedInteraction::askOpenFile(title, folder, filter);
    PromptGuard g(*this);
    const QString f = QFileDialog::getOpenFileName(m_parent, title, folder, dialogFilter(filter));
    if (f.isEmpty())
        return std::nullopt;
    return f;
}

std::optional<QString> WidgetInteraction::askSaveFile(const QString& title, const QString& proposal,
                                                      const QString& filter)
{
    if (useQueue())
        return ScriptedInteraction::askSaveFile(title, proposal, filter);
    PromptGuard g(*this);
    const QString f = QFileDialog::getSaveFileName(m_parent, title, proposal, dialogFilter(filter));
    if (f.isEmpty())
        return std::nullopt;
    return f;
}

void WidgetInteraction::setClipboardText(const QString& text)
{
    ScriptedInteraction::setClipboardText(text);
    if (auto* cb = QGuiApplication::clipboard())
        cb->setText(text);
}

QString WidgetInteraction::clipboardText() const
{
    if (auto* cb = QGuiApplication::clipboard())
        return cb->text();
    return ScriptedInteraction::clipboardText();
}

void WidgetInteraction::openUrl(const QString& url)
{
    ScriptedInteraction::openUrl(url);
    if (!m_recordOnly)
        QDesktopServices::openUrl(QUrl(url));
}
