// The About panel in the real window: the hover effect on the web-site link, driven by real
// pointer movement, and the two links opened through the real browser adapter.

#include "about/abouttexts.h"
#include "about/links.h"
#include "controls/colorvalue.h"
#include "desktop/qtports.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QApplication>
#include <QDesktopServices>
#include <QPushButton>
#include <QTest>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

const QString websiteCaption = QStringLiteral("Please visit my website for more freeware");
const QString coffee = QString::fromUtf8(aboutText::coffeeMessage);
const QColor darkBlue(0, 0, 192);
const QColor red(255, 0, 0);

bool openAbout(Form1 *form)
{
    form->show();
    if (!QTest::qWaitForWindowExposed(form))
        return false;
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QTest::mouseClick(form->Command20, Qt::LeftButton);
    return form->Label5->isVisible() && form->Picture7->isVisible();
}

// A point of the panel's bare background: the strip between the donate picture and the link.
QPoint backgroundPoint(Form1 *form)
{
    const int x = (form->Picture7->geometry().right() + form->Label5->geometry().left()) / 2;
    return QPoint(x, form->Label5->geometry().center().y());
}

// Moves the pointer onto `where` ("background", "label" or "picture") of the panel. The
// pointer jumps there directly, so nothing in between sees it pass.
void moveTo(Form1 *form, const QString &where)
{
    QWidget *target = form->Picture6;
    QPoint at = backgroundPoint(form);
    if (where == u"label") {
        target = form->Label5;
        at = form->Label5->rect().center();
    } else if (where == u"picture") {
        target = form->Picture7;
        at = form->Picture7->rect().center();
    }
    // Two steps inside the target: a move to where the pointer already is reports nothing.
    QTest::mouseMove(target, at - QPoint(1, 0));
    QTest::mouseMove(target, at);
    QCoreApplication::processEvents();
}

QColor shownColour(const Label *label)
{
    return label->palette().color(label->foregroundRole());
}

// Records every address the desktop is asked to open.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl &url) { urls.append(url); }
};

struct PortsWithRealBrowser
{
    FakePrompts prompts;
    FakeColourChooser colours;
    QtBrowser browser;
    FakeClipboard clipboard;
    std::shared_ptr<FakeMediaEngine::Log> media = std::make_shared<FakeMediaEngine::Log>();
    Form1 form {DesktopPorts {prompts, colours, browser, clipboard,
                              [this]() -> std::unique_ptr<MediaEngine> {
                                  return std::make_unique<FakeMediaEngine>(media);
                              },
                              [] { return QDateTime(QDate(2026, 12, 7), QTime(9, 30)); }}};
};

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void startsAsAWebSiteLink();
    void hover_data();
    void hover();
    void clicksOpenTheConfiguredPages_data();
    void clicksOpenTheConfiguredPages();
    void pageThatCannotBeOpenedIsReported_data();
    void pageThatCannotBeOpenedIsReported();
    void realBrowserFailureIsReported();
    void fixedTexts();
    void captionsFitTheLink_data();
    void captionsFitTheLink();

private:
    ModalWatchdog *watchdog = nullptr;
};

void TestAbout::initTestCase()
{
    watchdog = new ModalWatchdog(this);
}

void TestAbout::cleanup()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(watchdog->takeClosed(), QStringList());
}

void TestAbout::startsAsAWebSiteLink()
{
    Window w;
    QVERIFY(openAbout(w.form.get()));
    QCOMPARE(w->Label5->text(), websiteCaption);
    QCOMPARE(foreColor(w->Label5), ColorValue(0xC00000));
    QCOMPARE(shownColour(w->Label5), darkBlue);
    // The background point really is the panel's own surface.
    QCOMPARE(w->childAt(w->Picture6->mapTo(w.form.get(), backgroundPoint(w.form.get()))),
             w->Picture6);
}

void TestAbout::hover_data()
{
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("colour");

    QTest::newRow("background") << QStringList {"background"} << websiteCaption << darkBlue;
    QTest::newRow("onto the link") << QStringList {"background", "label"} << websiteCaption << red;
    QTest::newRow("link, then back")
        << QStringList {"background", "label", "background"} << websiteCaption << darkBlue;
    QTest::newRow("onto the picture") << QStringList {"picture"} << coffee << darkBlue;
    QTest::newRow("picture, then background")
        << QStringList {"picture", "background"} << websiteCaption << darkBlue;
    QTest::newRow("red link, then picture") << QStringList {"label", "picture"} << coffee << red;
    // The fast move: no movement is seen over the strip between picture and link.
    QTest::newRow("picture straight onto the link")
        << QStringList {"background", "picture", "label"} << coffee << red;
    QTest::newRow("picture, link, background")
        << QStringList {"picture", "label", "background"} << websiteCaption << darkBlue;
    QTest::newRow("picture via background onto the link")
        << QStringList {"picture", "background", "label"} << websiteCaption << red;
}

void TestAbout::hover()
{
    QFETCH(QStringList, moves);
    QFETCH(QString, text);
    QFETCH(QColor, colour);
    Window w;
    QVERIFY(openAbout(w.form.get()));
    for (const QString &m : moves)
        moveTo(w.form.get(), m);
    QCOMPARE(w->Label5->text(), text);
    QCOMPARE(shownColour(w->Label5), colour);
    QCOMPARE(resolveColor(foreColor(w->Label5), w->Label5->palette()), colour);
    QVERIFY(w.browser.opened.isEmpty());
}

void TestAbout::clicksOpenTheConfiguredPages_data()
{
    QTest::addColumn<QStringList>("movesFirst");
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<QString>("address");
    const QString site = QStringLiteral(TESMORA_WEBSITE_URL);
    const QString donation = QStringLiteral(TESMORA_DONATION_URL);
    QTest::newRow("link") << QStringList {} << "Label5" << site;
    QTest::newRow("donate picture") << QStringList {} << "Picture7" << donation;
    // Whatever the link says, it opens the web site.
    QTest::newRow("link showing the coffee message")
        << QStringList {"picture", "label"} << "Label5" << site;
}

void TestAbout::clicksOpenTheConfiguredPages()
{
    QFETCH(QStringList, movesFirst);
    QFETCH(QString, clicked);
    QFETCH(QString, address);
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &recorder, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");

    PortsWithRealBrowser p;
    QVERIFY(openAbout(&p.form));
    for (const QString &m : movesFirst)
        moveTo(&p.form, m);
    QTest::mouseClick(p.form.findChild<QWidget *>(clicked), Qt::LeftButton);

    QCOMPARE(recorder.urls.size(), 1);
    QCOMPARE(QString::fromLatin1(recorder.urls.first().toEncoded()), address);
    QVERIFY(p.prompts.messages.isEmpty());
}

void TestAbout::pageThatCannotBeOpenedIsReported_data()
{
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<QString>("address");
    QTest::newRow("link") << "Label5" << QStringLiteral(TESMORA_WEBSITE_URL);
    QTest::newRow("donate picture") << "Picture7" << QStringLiteral(TESMORA_DONATION_URL);
}

void TestAbout::pageThatCannotBeOpenedIsReported()
{
    QFETCH(QString, clicked);
    QFETCH(QString, address);
    Window w;
    w.browser.accept = false;
    QVERIFY(openAbout(w.form.get()));
    moveTo(w.form.get(), QStringLiteral("picture"));
    QTest::mouseClick(w->findChild<QWidget *>(clicked), Qt::LeftButton);

    QCOMPARE(w.browser.opened.size(), 1);
    QCOMPARE(w.prompts.messages.size(), 1);
    const Message &m = w.prompts.messages.first();
    QCOMPARE(m.title, QStringLiteral("Tesmora"));
    QVERIFY2(m.text.contains(address), qPrintable(m.text));
    // The panel stays as it was.
    QCOMPARE(w->Label5->text(), coffee);
    QVERIFY(w->Picture6->isVisible());

    // A page that opens says nothing.
    w.browser.accept = true;
    QTest::mouseClick(w->findChild<QWidget *>(clicked), Qt::LeftButton);
    QCOMPARE(w.browser.opened.size(), 2);
    QCOMPARE(w.prompts.messages.size(), 1);
}

void TestAbout::realBrowserFailureIsReported()
{
    // Without any handler the offscreen desktop opens nothing, and says so to the adapter.
    PortsWithRealBrowser p;
    QVERIFY(openAbout(&p.form));
    QTest::mouseClick(p.form.Label5, Qt::LeftButton);
    QCOMPARE(p.prompts.messages.size(), 1);
    QVERIFY(p.prompts.messages.first().text.contains(QStringLiteral(TESMORA_WEBSITE_URL)));
}

void TestAbout::fixedTexts()
{
    Window w;
    QCOMPARE(w->Image1->toolTip(),
             QStringLiteral("Flag of ") + QString::fromUtf8(aboutText::country));
    QVERIFY(w->Label4->text().contains(QString::fromUtf8(aboutText::country)));
    QCOMPARE(w->Label3->text(), QString::fromUtf8(aboutText::makerName));
    // The coffee message is one sentence.
    QVERIFY(coffee.endsWith(u'.'));
    QCOMPARE(coffee.count(u'.'), 1);
    QVERIFY(coffee.contains(QString::fromUtf8(aboutText::country)));
}

void TestAbout::captionsFitTheLink_data()
{
    QTest::addColumn<QString>("caption");
    QTest::newRow("web site") << websiteCaption;
    QTest::newRow("coffee") << coffee;
}

void TestAbout::captionsFitTheLink()
{
    // The link is clipped by the panels it sits in: each caption must end inside what shows.
    QFETCH(QString, caption);
    Window w;
    QVERIFY(openAbout(w.form.get()));
    const QRect shown = w->Label5->visibleRegion().boundingRect();
    QVERIFY(!shown.isEmpty());
    const QRect needed = w->Label5->fontMetrics().boundingRect(
        QRect(0, 0, w->Label5->width(), 10000), int(w->Label5->alignment()) | Qt::TextWordWrap,
        caption);
    const int room = shown.height();
    QVERIFY(w->Label5->wordWrap());
    QVERIFY2(needed.height() <= room,
             qPrintable(QStringLiteral("%1 > %2").arg(needed.height()).arg(room)));
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
