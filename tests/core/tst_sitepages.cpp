#include "core/modHelp.h"
#include "core/ProgramInfo.h"
#include "core/SiteDirectory.h"
#include "support/TestPlatform.h"

#include <QtTest>

#include <memory>

namespace qx::test {
namespace {

using Opener = void (*)();

QString directory()
{
    return QStringLiteral("http://") + siteHost() + QStringLiteral("/qx-free-friendship-compatibility-test/");
}

} // namespace
} // namespace qx::test

using namespace qx;
using namespace qx::test;

class TestSitePages : public QObject {
    Q_OBJECT

    std::unique_ptr<TestPlatform> services;

private Q_SLOTS:
    void init() { services = std::make_unique<TestPlatform>(); }

    void theHostIsAPlainHostName()
    {
        QVERIFY(!siteHost().isEmpty());
        static const QRegularExpression plainHost(QStringLiteral("^[A-Za-z0-9.-]+(:[0-9]+)?$"));
        QVERIFY2(plainHost.match(siteHost()).hasMatch(), qPrintable(siteHost()));
        QCOMPARE(SiteDirectory(), directory());
        QCOMPARE(siteLink(SitePage(99)).pageKey, ""); // no page, no key
        // The desktop entry's id, in reverse-DNS form, as the desktop matches windows to it.
        static const QRegularExpression reverseDns(QStringLiteral("^[a-z]+(\\.[A-Za-z0-9_-]+){2,}$"));
        QVERIFY2(reverseDns.match(desktopFileName()).hasMatch(), qPrintable(desktopFileName()));
    }

    void eachOpenerHandsItsAddressToTheBrowser_data()
    {
        QTest::addColumn<Opener>("opener");
        QTest::addColumn<SitePage>("page");
        QTest::addColumn<QString>("key");
        QTest::newRow("OpenHomePage") << Opener(OpenHomePage) << SitePage::Home << QStringLiteral("home-page");
        QTest::newRow("OpenHelpPage") << Opener(OpenHelpPage) << SitePage::Help << QStringLiteral("help-web-page");
        QTest::newRow("OpenDownloadPage")
            << Opener(OpenDownloadPage) << SitePage::Download << QStringLiteral("download-web-page");
        QTest::newRow("OpenDonatePage") << Opener(OpenDonatePage) << SitePage::Donate << QStringLiteral("donate");
        QTest::newRow("OpenCoBrandPage") << Opener(OpenCoBrandPage) << SitePage::CoBrand << QStringLiteral("co-brand");
        QTest::newRow("OpenFullBrandPage")
            << Opener(OpenFullBrandPage) << SitePage::FullBrand << QStringLiteral("fully-branded");
        QTest::newRow("OpenSoftwaresPage")
            << Opener(OpenSoftwaresPage) << SitePage::Softwares << QStringLiteral("orvanesoftwares");
    }

    void eachOpenerHandsItsAddressToTheBrowser()
    {
        QFETCH(Opener, opener);
        QFETCH(SitePage, page);
        QFETCH(QString, key);
        const QString expected = directory() + QStringLiteral("ssd.php?page=") + key;
        QCOMPARE(pageAddress(page), expected);

        // Nothing suppresses a repeat: two calls, two launches, byte for byte.
        opener();
        opener();
        QCOMPARE(services->urls.addresses, QStringList({expected, expected}));
        QVERIFY(services->messages.messages.isEmpty());
    }

    void anAddressReachesTheBrowserUnchanged()
    {
        const QString address = directory() + QStringLiteral("ssd.php?page=x&a=%20b#frag");
        OpenUrl(address);
        QCOMPARE(services->urls.addresses, QStringList{address});
    }
};

QTEST_GUILESS_MAIN(TestSitePages)
#include "tst_sitepages.moc"
