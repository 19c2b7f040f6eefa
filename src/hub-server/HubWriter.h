#pragma once

#include "FormData.h"
#include "HubService.h"
#include "OrderStore.h"

#include <QList>
#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QThread>
#include <functional>
#include <memory>

// Runs the requests that change the orders on a thread of their own, with
// its own database connection, so a durable commit never holds up the
// answers read from memory. Requests that arrive while a commit is under way
// are committed together (one disk sync for all), each in its own savepoint:
// one that fails does not undo the others. Every answer is sent only after
// its commit.
class HubWriter : public QObject
{
    Q_OBJECT
public:
    using Done = std::function<void(const HubReply&)>;

    HubWriter(QString location, QString versionText, HubRules rules = {}, QObject* parent = nullptr);
    ~HubWriter() override;

    // Starts the thread and opens the database there; throws StoreError.
    void open();
    // `done` runs on this object's thread once the request was committed,
    // unless `receiver` is gone by then.
    void submit(const FormData& form, const QString& address, QObject* receiver, Done done);

private:
    struct Job
    {
        FormData form;
        QString address;
        QPointer<QObject> receiver;
        Done done;
        HubReply reply;
    };
    static constexpr qsizetype kMaxBatch = 256;

    void drain();

    QString m_location;
    QString m_versionText;
    HubRules m_rules;
    QThread m_thread;
    QObject* m_worker;  // lives on m_thread; the store and service are used only there
    std::unique_ptr<OrderStore> m_store;
    std::unique_ptr<HubService> m_service;
    QMutex m_mutex;
    QList<Job> m_queue;
    bool m_scheduled = false;
};
