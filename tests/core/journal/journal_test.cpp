#include "TestSupport.h"

#include <QTest>

class JournalTest : public QObject
{
    Q_OBJECT
private slots:
    void placeholder() { QVERIFY(true); }
};

QTEST_GUILESS_MAIN(JournalTest)
#include "journal_test.moc"
