#pragma once

#include "common/UserInteraction.h"

#include <QPointer>

class QWidget;

// The real dialogs behind core's UserInteraction. Every text is shown as plain
// text. Tests queue answers in advance (setNextAnswer) or switch dialogs off
// altogether (setRecordOnly), so an offscreen test never waits on a dialog.
class WidgetInteraction : public ScriptedInteraction
{
public:
    void setParentWidget(QWidget* w) { m_parent = w; }
    void setRecordOnly(bool on) { m_recordOnly = on; }
    bool dialogOpen() const { return m_dialogDepth > 0; }

    void showMessage(const QString& text) override;
    void showReport(const QStringList& texts) override;
    std::optional<QString> askText(const QString& caption, const QString& prompt, const QString& proposal) override;
    bool askYesNo(const QString& caption, const QString& text) override;
    std::optional<QString> askOpenFile(const QString& title, const QString& folder, const QString& filter) override;
    void setClipboardText(const QString& text) override;
    QString clipboardText() const override;
    void openUrl(const QString& url) override;

    void setNextAnswer(std::optional<QString> answer)
    {
        ++m_queued;
        ScriptedInteraction::setNextAnswer(std::move(answer));
    }

private:
    bool useQueue()
    {
        if (m_queued > 0) {
            --m_queued;
            return true;
        }
        return m_recordOnly;
    }

    QPointer<QWidget> m_parent;
    bool m_recordOnly = false;
    int m_queued = 0;
    int m_dialogDepth = 0;
};
