#include "widgets/WidgetInteraction.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

namespace {

struct DepthGuard
{
    int& depth;
    explicit DepthGuard(int& d) : depth(d) { ++depth; }
    ~DepthGuard() { --depth; }
};

} // namespace

void WidgetInteraction::showMessage(const QString& text)
{
    ScriptedInteraction::showMessage(text);
    if (m_recordOnly)
        return;
    DepthGuard g(m_dialogDepth);
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), text, QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void WidgetInteraction::showReport(const QStringList& texts)
{
    showMessage(texts.join(QStringLiteral("\n\n")));
}

std::optional<QString> WidgetInteraction::askText(const QString& caption, const QString& prompt,
                                                  const QString& proposal)
{
    if (useQueue())
        return ScriptedInteraction::askText(caption, prompt, proposal);
    DepthGuard g(m_dialogDepth);
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
    DepthGuard g(m_dialogDepth);
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setTextFormat(Qt::PlainText);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> WidgetInteraction::askOpenFile(const QString& title, const QString& folder,
                                                      const QString& filter)
{
    if (useQueue())
        return ScriptedInteraction::askOpenFile(title, folder, filter);
    DepthGuard g(m_dialogDepth);
    // Filters come as "Description|*.ext" pairs.
    QStringList parts = filter.split(QLatin1Char('|'));
    QString qtFilter;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        qtFilter += (qtFilter.isEmpty() ? QString() : QStringLiteral(";;")) + parts[i] + QStringLiteral(" (") +
                    parts[i + 1] + QLatin1Char(')');
    const QString f = QFileDialog::getOpenFileName(m_parent, title, folder, qtFilter);
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
