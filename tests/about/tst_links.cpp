// The two configured addresses keep the shape the pages need, whatever a packager sets.

#include "about/links.h"
#include "tests/support/testmain.h"

#include <QTest>

class TestLinks : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void configuredTextIsKept_data();
    void configuredTextIsKept();
    void website();
    void donation();
};

void TestLinks::configuredTextIsKept_data()
{
    QTest::addColumn<QUrl>("url");
    QTest::addColumn<QString>("configured");
    QTest::newRow("web site") << tesmora::websiteUrl() << QStringLiteral(TESMORA_WEBSITE_URL);
    QTest::newRow("donation") << tesmora::donationUrl() << QStringLiteral(TESMORA_DONATION_URL);
}

void TestLinks::configuredTextIsKept()
{
    // The address handed to the browser is the configured one, character for character (the
    // account's %40 in particular must not turn into a bare at-sign).
    QFETCH(QUrl, url);
    QFETCH(QString, configured);
    QVERIFY2(url.isValid(), qPrintable(url.errorString()));
    QCOMPARE(QString::fromLatin1(url.toEncoded()), configured);
    QCOMPARE(url.toString(), configured);
}

void TestLinks::website()
{
    const QUrl url = tesmora::websiteUrl();
    QCOMPARE(url.scheme(), QStringLiteral("http"));
    QVERIFY(!url.host().isEmpty());
    QCOMPARE(url.path(), QStringLiteral("/"));
    QVERIFY(!url.hasQuery());
    QVERIFY(!url.hasFragment());
}

void TestLinks::donation()
{
    const QUrl url = tesmora::donationUrl();
    QCOMPARE(url.scheme(), QStringLiteral("https"));
    QVERIFY(!url.host().isEmpty());
    QVERIFY2(!url.hasQuery(), "the parameters follow the path directly, without a question mark");
    QVERIFY(!url.hasFragment());

    const QString path = url.path(QUrl::FullyEncoded);
    const QString lead = QStringLiteral("/xclick/business=");
    const QString tail = QStringLiteral("&no_shipping=0&no_note=1&tax=0&currency_code=USD");
    QVERIFY2(path.startsWith(lead), qPrintable(path));
    QVERIFY2(path.endsWith(tail), qPrintable(path));
    const QString account = path.mid(lead.size(), path.size() - lead.size() - tail.size());
    QVERIFY2(account.contains(QStringLiteral("%40")), qPrintable(account));
    QVERIFY2(!account.contains(u'@') && !account.contains(u'&') && !account.contains(u'/'),
             qPrintable(account));
    const QStringList parts = account.split(QStringLiteral("%40"));
    QCOMPARE(parts.size(), 2);
    QVERIFY(!parts.at(0).isEmpty() && parts.at(1).contains(u'.'));
}

TESMORA_TEST(TestLinks)
#include "tst_links.moc"
