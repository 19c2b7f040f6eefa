#include "common/UserInteraction.h"

std::optional<QString> ScriptedInteraction::nextAnswer()
{
    if (m_answers.empty())
        return std::nullopt;
    auto a = std::move(m_answers.front());
    m_answers.pop_front();
    return a;
}

std::optional<QString> ScriptedInteraction::askText(const QString& caption, const QString& prompt,
                                                    const QString& proposal)
{
    m_prompts.append(caption + QLatin1String(" | ") + prompt + QLatin1String(" | ") + proposal);
    return nextAnswer();
}

bool ScriptedInteraction::askYesNo(const QString& caption, const QString& text)
{
    m_prompts.append(caption + QLatin1String(" | ") + text);
    const auto a = nextAnswer();
    return a && (*a == QLatin1String("yes") || *a == QLatin1String("1"));
}

std::optional<QString> ScriptedInteraction::askOpenFile(const QString& title, const QString& folder,
                                                        const QString& filter)
{
    m_prompts.append(title + QLatin1String(" | ") + folder + QLatin1String(" | ") + filter);
    return nextAnswer();
}

std::optional<QString> ScriptedInteraction::askSaveFile(const QString& title, const QString& proposal,
                                                        const QString& filter)
{
    m_prompts.append(title + QLatin1String(" | ") + proposal + QLatin1String(" | ") + filter);
    return nextAnswer();
}
