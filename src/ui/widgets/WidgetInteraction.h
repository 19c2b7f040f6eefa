#pragma once

#include "common/UserInteraction.h"

#include <QMessageBox>
#include <QPointer>
#include <QStringList>

class QWidget;

// The real dialogs behind core's UserInteraction. Every text is shown as plain
// text. Tests queue answers in advance (setNextAnswer) or switch dialogs off
// altogether (setRecordOnly), so an offscreen test never waits on a dialog.
//
// A message box never waits for its OK: showMessage returns at once, so the
// journal timer and the network replies go on while it is open. One box is
// open at a time; texts reported while a box or a prompt is open wait and are
// shown together in the next box.
class WidgetInteraction : public ScriptedInteraction
{
public:
    WidgetInteraction() = default;
    WidgetInteraction(const WidgetInteraction&) = delete;
    WidgetInteraction& operator=(const WidgetInteraction&) = delete;
    ~WidgetInteraction() override;

    void setParentWidget(QWidget* w) { m_parent = w; }
    void setRecordOnly(bool on) { m_recordOnly = on; }
    bool dialogOpen() const { return m_dialogDepth > 0 || m_box; }
    // The message box on screen, or nullptr.
    QMessageBox* openBox() const { return m_box; }
    // Texts waiting for the next box.
    const QStringList& waitingTexts() const { return m_waiting; }

    void showMessage(const QString& text) override;
    void showReport(const QStringList& texts) override;
    std::optional<QString> askText(const QString& caption, const QString& prompt,
                                   const QString& proposal) override;
    bool askYesNo(const QString& caption, const QString& text) override;
    std::optional<QString> askOpenFile(const QString& title, const QString& folder,
                                       const QString& filter) override;
    std::optional<QString> askSaveFile(const QString& title, const QString& proposal,
                                       const QString& filter) override;
    void setClipboardText(const QString& text) override;
    QString clipboardText() const override;
    void openUrl(const QString& url) override;

    void setNextAnswer(std::optional<QString> answer)
    {
        ++m_queued;
        ScriptedInteraction::setNextAnswer(std::move(answer));
    }

private:
    struct PromptGuard;

    bool useQueue()
    {
        if (m_queued > 0) {
            --m_queued;
            return true;
        }
        return m_recordOnly;
    }
    void showWaitingTexts();

    QPointer<QWidget> m_parent;
    QPointer<QMessageBox> m_box;
    QStringList m_waiting;
    bool m_recordOnly = false;
    int m_queued = 0;
    int m_dialogDepth = 0;
};
