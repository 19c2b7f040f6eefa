#pragma once

#include <QByteArray>
#include <QObject>
#include <QSet>
#include <QString>

class CargoModule;
struct GameState;
class ReportSink;

// Cargo that left the ship for a carrier: a transfer to it or a sale on its
// market. What reaches the commander's own carrier comes off the own loading
// list; what goes to any other carrier does not, and the person is told once.
class CargoReconciler : public QObject
{
    Q_OBJECT
public:
    CargoReconciler(const GameState& state, CargoModule& list, ReportSink& reports);

    // A CargoTransfer journal line: each entry moved to the carrier.
    // Required values that are missing throw TessivarError naming the event.
    void applyTransfer(const QByteArray& line);
    // A MarketSell journal line read while docked at a carrier.
    void applySale(const QByteArray& line);

signals:
    // A sale of count units of type was read from journalLine (the hub learns of it).
    void soldAtCarrier(const QString& type, qint64 count, const QByteArray& journalLine);

private:
    void delivered(const QString& type, const QString& localised, qint64 count);
    void reportNotCounted();

    const GameState& m_state;
    CargoModule& m_list;
    ReportSink& m_reports;
    QSet<QString> m_notCountedReported;  // carriers whose uncounted sales were explained
};
