#include "SiteDirectory.h"
#include "TestPlatform.h"
#include "modHelp.h"

#include <QtTest>

#include <memory>

using namespace qx;
using qx::test::TestPlatform;

namespace {

using Opener = void (*)();

QString directory()
{
    return QStringLiteral("http://") + SiteHost() + QStringLiteral("/qx-free-friendship-compatibility-test/");
}

} // namespace

class TestSitePages : public QObject {
    Q_OBJECT

    std::unique_ptr<TestPlatform> services;

private slots:
    void init() { services = std::make_unique<TestPlatform>(); }

    void theHostIsAPlainHostName()
    {
        QVERIFY(!SiteHost().isEmpty());
        static const QRegularExpression plainHost(QStringLiteral("^[A-Za-z0-9.-]+(:[0-9]+)?$"));
        QVERIFY2(plainHost.match(SiteHost()).hasMatch(), qPrintable(SiteHost()));
        QCOMPARE(SiteDirectory(), directory());
    }

    void eachOpenerHandsItsAddressToTheBrowser_data()
    {
        QTest::addColumn<Opener>("opener");
        QTest::addColumn<QString>("page");
        QTest::newRow("OpenHomePage") << Opener(OpenHomePage) << QStringLiteral("home-page");
        QTest::newRow("OpenHelpPage") << Opener(OpenHelpPage) << QStringLiteral("help-web-page");
        QTest::newRow("OpenDownloadPage") << Opener(OpenDownloadPage) << QStringLiteral("download-web-page");
        QTest::newRow("OpenDonatePage") << Opener(OpenDonatePage) << QStringLiteral("donate");
        QTest::newRow("OpenCoBrandPage") << Opener(OpenCoBrandPage) << QStringLiteral("co-brand");
        QTest::newRow("OpenFullBrandPage") << Opener(OpenFullBrandPage) << QStringLiteral("fully-branded");
        QTest::newRow("OpenSoftwaresPage") << Opener(OpenSoftwaresPage) << QStringLiteral("orvanesoftwares");
    }

    void eachOpenerHandsItsAddressToTheBrowser()
    {
        QFETCH(Opener, opener);
        QFETCH(QString, page);
        const QString expected = directory() + QStringLiteral("ssd.php?page=") + page;
        QCOMPARE(PageAddress(page), expected);

        // Nothing suppresses a repeat: two calls, two launches, byte for byte.
        opener();
        opener();
        QCOMPARE(services->urls.addresses, QStringList({expected, expected}));
        QVERIFY(services->messages.messages.isEmpty());

        // The page table names the same opener and key.
        const auto row = std::find_if(SiteLinks().begin(), SiteLinks().end(), [&](const SiteLink &link) {
            return QLatin1String(link.opener) == QLatin1String(QTest::currentDataTag());
        });
        QVERIFY(row != SiteLinks().end());
        QCOMPARE(QString::fromLatin1(row->pageKey), page);
    }

    void thePageTableHasOneRowPerOpener()
    {
        QCOMPARE(SiteLinks().size(), 7);
    }

    void anAddressReachesTheBrowserUnchanged()
    {
        const QString address = directory() + QStringLiteral("ssd.php?page=x&a=%20b#frag");
        OpenUrl(address);
        QCOMPARE(services->urls.addresses, QStringList{address});
    }
};

QTEST_MAIN(TestSitePages)
#include "tst_site_pages.moc"
