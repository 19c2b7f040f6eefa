#include "HubWriter.h"

#include "FormData.h"

#include <QLoggingCategory>
#include <QMutexLocker>

Q_LOGGING_CATEGORY(lcHubWriter, "tessivar.hub.writer")

HubWriter::HubWriter(QString location, QString versionText, HubRules rules, QObject* parent)
    : QObject(parent), m_location(std::move(location)), m_versionText(std::move(versionText)), m_rules(rules),
      m_worker(new QObject)
{
    m_thread.setObjectName(QStringLiteral("hub-writer"));
    m_worker->moveToThread(&m_thread);
}

HubWriter::~HubWriter()
{
    if (m_thread.isRunning()) {
        QMetaObject::invokeMethod(
            m_worker,
            [this] {
                m_service.reset();
                m_store.reset();
            },
            Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
    delete m_worker;
}

void HubWriter::open()
{
    m_thread.start();
    QString error;
    QMetaObject::invokeMethod(
        m_worker,
        [&] {
            try {
                m_store = std::make_unique<OrderStore>(m_location);
                m_store->open();
                m_service = std::make_unique<HubService>(*m_store, m_versionText, m_rules);
            } catch (const StoreError& e) {
                error = QString::fromUtf8(e.what());
                m_store.reset();
            }
        },
        Qt::BlockingQueuedConnection);
    if (!error.isEmpty())
        throw StoreError(error.toStdString());
}

void HubWriter::submit(const FormData& form, const QString& address, QObject* receiver, Done done)
{
    QMutexLocker lock(&m_mutex);
    m_queue.append(Job{form, address, receiver, std::move(done), {}});
    if (!m_scheduled) {
        m_scheduled = true;
        QMetaObject::invokeMethod(
            m_worker, [this] { drain(); }, Qt::QueuedConnection);
    }
}

void HubWriter::drain()
{
    for (;;) {
        QList<Job> batch;
        {
            QMutexLocker lock(&m_mutex);
            if (m_queue.isEmpty()) {
                m_scheduled = false;
                return;
            }
            const qsizetype take = std::min(m_queue.size(), kMaxBatch);
            batch = m_queue.mid(0, take);
            m_queue.remove(0, take);
        }
        try {
            m_store->transaction([&] {
                m_store->lockWriters();
                for (Job& job : batch)
                    job.reply = m_service->handle(job.form, job.address);
            });
        } catch (const StoreError& error) {
            qCWarning(lcHubWriter) << "commit failed:" << error.what();
            for (Job& job : batch)
                job.reply = HubReply{500, QByteArrayLiteral("text/plain; charset=utf-8"), "storage failure"};
            m_store->reset();
        }
        QMetaObject::invokeMethod(
            this,
            [batch] {
                for (const Job& job : batch) {
                    if (job.receiver)
                        job.done(job.reply);
                }
            },
            Qt::QueuedConnection);
    }
}
