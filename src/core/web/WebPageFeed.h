#pragma once

#include "cargo/LoadingRows.h"
#include "state/Records.h"

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QTimer>
#include <functional>

class TextTableModel;

// What the page for browsers shows, as one JSON text: the dock information,
// the construction materials with their progress, the carrier loading list
// and the last commodity search. It is rebuilt once after any burst of
// changes (a journal pass changes many rows at once) and announced only when
// it differs from the text sent before.
class WebPageFeed : public QObject
{
    Q_OBJECT
public:
    struct Sources
    {
        const GameState& state;
        std::function<LoadingListRows()> loading;  // the carrier loading list's rows, TOTAL last
        const TextTableModel& construction;        // material, amount, trips; row 0 is its header
        const int& progress;                       // construction progress, 0 to 100
        const TMarketBuyData& searchResult;        // empty commodity until the first search
        std::function<QJsonObject()> colony = {};  // still to buy and buy here, when there is a colony view
    };

    explicit WebPageFeed(Sources sources, QObject* parent = nullptr);

    // The current state as compact JSON (no line breaks).
    const QByteArray& snapshot() const { return m_snapshot; }
    QByteArray build() const;

    // Rebuilds whenever the model changes in any way.
    void watch(const TextTableModel& model);

public slots:
    // One of the sources changed: rebuild once the current work is done.
    void sourceChanged();

signals:
    void snapshotChanged(const QByteArray& json);

private:
    void rebuild();

    Sources m_sources;
    QByteArray m_snapshot;
    QTimer m_rebuild;
};
