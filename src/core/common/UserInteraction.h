#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

// Everything core needs from a person: message boxes, prompts, the clipboard,
// the browser. The windows implement it with real dialogs; the command-line
// tool and the tests use ScriptedInteraction, which records every text and
// answers from a queue prepared in advance.
class UserInteraction
{
public:
    virtual ~UserInteraction() = default;

    // A plain-text message box.
    virtual void showMessage(const QString& text) = 0;
    // Several texts gathered during one journal pass, shown as one report.
    virtual void showReport(const QStringList& texts) { showMessage(texts.join(QStringLiteral("\n\n"))); }
    // A text prompt; std::nullopt when the person cancels.
    virtual std::optional<QString> askText(const QString& caption, const QString& prompt,
                                           const QString& proposal) = 0;
    // A yes/no question.
    virtual bool askYesNo(const QString& caption, const QString& text) = 0;
    // An open-file dialog; std::nullopt when cancelled.
    virtual std::optional<QString> askOpenFile(const QString& title, const QString& folder,
                                               const QString& filter) = 0;
    // A save-file dialog proposing a file; std::nullopt when cancelled.
    virtual std::optional<QString> askSaveFile(const QString& title, const QString& proposal,
                                               const QString& filter) = 0;
    virtual void setClipboardText(const QString& text) = 0;
    virtual QString clipboardText() const = 0;
    virtual void openUrl(const QString& url) = 0;
};

class ScriptedInteraction : public UserInteraction
{
public:
    void showMessage(const QString& text) override { m_messages.append(text); }
    void showReport(const QStringList& texts) override { m_messages.append(texts); }
    std::optional<QString> askText(const QString& caption, const QString& prompt,
                                   const QString& proposal) override;
    bool askYesNo(const QString& caption, const QString& text) override;
    std::optional<QString> askOpenFile(const QString& title, const QString& folder,
                                       const QString& filter) override;
    std::optional<QString> askSaveFile(const QString& title, const QString& proposal,
                                       const QString& filter) override;
    void setClipboardText(const QString& text) override { m_clipboard = text; }
    QString clipboardText() const override { return m_clipboard; }
    void openUrl(const QString& url) override { m_openedUrls.append(url); }

    // Queues the answer of the next prompt; std::nullopt answers "cancel".
    // With nothing queued a prompt is cancelled and a question answered "no".
    void setNextAnswer(std::optional<QString> answer) { m_answers.push_back(std::move(answer)); }

    const QStringList& messages() const { return m_messages; }
    const QStringList& prompts() const { return m_prompts; }
    const QStringList& openedUrls() const { return m_openedUrls; }
    void clearMessages() { m_messages.clear(); }

private:
    std::optional<QString> nextAnswer();

    QStringList m_messages;
    QStringList m_prompts;
    QStringList m_openedUrls;
    QString m_clipboard;
    std::deque<std::optional<QString>> m_answers;
};
