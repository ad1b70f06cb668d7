// The About panel in the window: what it says, the hover effect on the web-site link driven by
// pointer movement, and the pages its two links hand to the browser.

#include "about/abouttexts.h"
#include "about/links.h"
#include "tests/support/testmain.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QTest>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

const QString websiteCaption = QStringLiteral("Please visit my website for more freeware");
const QColor darkBlue(0, 0, 192);
const QColor red(255, 0, 0);

bool openAbout(Window &w)
{
    return w.openTool(w->Command20) && w->Label5->isVisible() && w->Picture7->isVisible();
}

// Moves the pointer onto `where` ("background", "label" or "picture") of the panel. The
// pointer jumps there directly, so nothing in between sees it pass.
void moveTo(Window &w, const QString &where)
{
    QWidget *target = w->Picture6;
    // The panel's bare background: the strip between the donate picture and the link.
    QPoint at((w->Picture7->geometry().right() + w->Label5->geometry().left()) / 2,
              w->Label5->geometry().center().y());
    if (where == u"label") {
        target = w->Label5;
        at = w->Label5->rect().center();
    } else if (where == u"picture") {
        target = w->Picture7;
        at = w->Picture7->rect().center();
    } else {
        QCOMPARE(w->childAt(w->Picture6->mapTo(w.form.get(), at)), w->Picture6);
    }
    // Two steps inside the target: a move to where the pointer already is reports nothing.
    QTest::mouseMove(target, at - QPoint(1, 0));
    QTest::mouseMove(target, at);
    QCoreApplication::processEvents();
}

// The link's lines that are not clipped by the panels it sits in hold its whole caption.
bool captionFits(const Label *link)
{
    const QRect needed = link->fontMetrics().boundingRect(
        QRect(0, 0, link->width(), 10000), int(link->alignment()) | Qt::TextWordWrap, link->text());
    return link->wordWrap() && needed.height() <= link->visibleRegion().boundingRect().height();
}

} // namespace

class TestAbout : public WatchedTest
{
    Q_OBJECT
private Q_SLOTS:
    void whatThePanelSays();
    void hover_data();
    void hover();
    void clicks_data();
    void clicks();
};

void TestAbout::whatThePanelSays()
{
    Window w;
    QVERIFY(openAbout(w));
    QCOMPARE(w->Picture7->toolTip(),
             QStringLiteral("Please make a donation of 5 dollars to support more freeware."));
    QVERIFY(!w->Label3->text().trimmed().isEmpty());
    // The flag and the country line name the country the program was made in, and the coffee
    // message (one sentence) invites to buy that country's coffee.
    const QString country = QString::fromUtf8(aboutText::country);
    QVERIFY(!country.isEmpty());
    QVERIFY2(w->Image1->toolTip().contains(country), qPrintable(w->Image1->toolTip()));
    QVERIFY2(w->Label4->text().contains(country), qPrintable(w->Label4->text()));
    moveTo(w, QStringLiteral("picture"));
    const QString coffee = w->Label5->text();
    QVERIFY2(coffee.contains(country) && coffee.contains(QLatin1String("coffee")),
             qPrintable(coffee));
    QVERIFY2(coffee.endsWith(u'.') && coffee.count(u'.') == 1, qPrintable(coffee));
}

void TestAbout::hover_data()
{
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<bool>("coffee"); // the coffee message rather than the web-site caption
    QTest::addColumn<QColor>("color");

    QTest::newRow("at start") << QStringList {} << false << darkBlue;
    QTest::newRow("background") << QStringList {"background"} << false << darkBlue;
    QTest::newRow("onto the link") << QStringList {"background", "label"} << false << red;
    QTest::newRow("link, then back") << QStringList {"label", "background"} << false << darkBlue;
    QTest::newRow("onto the picture") << QStringList {"picture"} << true << darkBlue;
    QTest::newRow("picture, then background")
        << QStringList {"picture", "background"} << false << darkBlue;
    QTest::newRow("red link, then picture") << QStringList {"label", "picture"} << true << red;
    // The fast move: no movement is seen over the strip between picture and link.
    QTest::newRow("picture straight onto the link")
        << QStringList {"picture", "label"} << true << red;
    QTest::newRow("picture via background onto the link")
        << QStringList {"picture", "background", "label"} << false << red;
}

void TestAbout::hover()
{
    QFETCH(QStringList, moves);
    QFETCH(bool, coffee);
    QFETCH(QColor, color);
    Window w;
    QVERIFY(openAbout(w));
    for (const QString &m : moves)
        moveTo(w, m);
    if (coffee)
        QCOMPARE(w->Label5->text(), QString::fromUtf8(aboutText::coffeeMessage));
    else
        QCOMPARE(w->Label5->text(), websiteCaption);
    QCOMPARE(w->Label5->palette().color(w->Label5->foregroundRole()), color);
    QVERIFY2(captionFits(w->Label5), qPrintable(w->Label5->text()));
    QCOMPARE(w.browser.opened, QList<QUrl>());
}

void TestAbout::clicks_data()
{
    QTest::addColumn<QStringList>("movesFirst");
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<QUrl>("page");
    QTest::addColumn<bool>("opens"); // whether the desktop opens the page
    QTest::newRow("link") << QStringList {} << "Label5" << websiteUrl() << true;
    QTest::newRow("donate picture") << QStringList {} << "Picture7" << donationUrl() << true;
    // Whatever the link says, it opens the web site.
    QTest::newRow("link showing the coffee message")
        << QStringList {"picture", "label"} << "Label5" << websiteUrl() << true;
    // A page the desktop cannot open is reported; the panel stays as it was.
    QTest::newRow("link, no browser")
        << QStringList {"picture"} << "Label5" << websiteUrl() << false;
    QTest::newRow("donate picture, no browser")
        << QStringList {"picture"} << "Picture7" << donationUrl() << false;
}

void TestAbout::clicks()
{
    QFETCH(QStringList, movesFirst);
    QFETCH(QString, clicked);
    QFETCH(QUrl, page);
    QFETCH(bool, opens);
    Window w;
    w.browser.accept = opens;
    QVERIFY(openAbout(w));
    for (const QString &m : movesFirst)
        moveTo(w, m);
    const QString caption = w->Label5->text();
    QTest::mouseClick(w->findChild<QWidget *>(clicked), Qt::LeftButton);

    QCOMPARE(w.browser.opened, QList<QUrl> {page});
    QCOMPARE(w->Label5->text(), caption);
    if (opens) {
        QCOMPARE(w.prompts.messages, QList<Message>());
    } else {
        QCOMPARE(w.prompts.messages.size(), 1);
        QCOMPARE(w.prompts.messages.first().title, QStringLiteral("Tesmora"));
        QVERIFY2(w.prompts.messages.first().text.contains(page.toString()),
                 qPrintable(w.prompts.messages.first().text));
    }
}

TESMORA_TEST(TestAbout)
#include "tst_about.moc"
