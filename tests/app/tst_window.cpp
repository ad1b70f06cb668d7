// The window as built at start: what is seen, what covers what, focus order, fonts, pictures.

#include "app/inventory.h"
#include "controls/colorvalue.h"
#include "controls/picture.h"
#include "tests/support/defaultlocale.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

QSet<QString> names(std::initializer_list<const char *> list)
{
    QSet<QString> out;
    for (const char *n : list)
        out.insert(QString::fromLatin1(n));
    return out;
}

// The inventory control under a point of the window, as the user would hit it.
QString hitAt(Form1 *form, QPoint p)
{
    for (QWidget *w = form->childAt(p); w && w != form; w = w->parentWidget())
        if (findControl(w->objectName().toLatin1().constData()))
            return w->objectName();
    return QStringLiteral("Form1");
}

struct Hit
{
    QString name;
    QPoint at;
};

QList<Hit> hitsOver(Form1 *form, QRect area)
{
    QList<Hit> hits;
    for (int y = area.top(); y <= area.bottom(); y += 2)
        for (int x = area.left(); x <= area.right(); x += 2)
            hits.append({hitAt(form, {x, y}), {x, y}});
    return hits;
}

QSet<QString> namesOf(const QList<Hit> &hits)
{
    QSet<QString> out;
    for (const Hit &h : hits)
        out.insert(h.name);
    return out;
}

// Each control that the user can see right now.
QSet<QString> seenControls(Form1 *form)
{
    QSet<QString> seen;
    for (const ControlSpec &spec : inventory()) {
        auto *w = form->findChild<QWidget *>(QString::fromLatin1(spec.name));
        if (w && w->isVisible())
            seen.insert(w->objectName());
    }
    return seen;
}

} // namespace

class TestWindow : public WatchedTest
{
    Q_OBJECT
private Q_SLOTS:

    void clientAreaIsFixed();
    void everyControlExistsWithItsName();
    void seenAtStart();
    void startState();
    void stackingFollowsTheInventory();
    void codesPanelCoversTheStack();
    void aboutCoversTheCalculator();
    void menuCoversTheDate();
    void pictureStoresAreNeverSeen();
    void clippedAtContainerEdges();
    void focusOrderFollowsTabIndex();
    void pressedWithSpaceAndEnter_data();
    void pressedWithSpaceAndEnter();
    void saysWhatEachControlIsFor_data();
    void saysWhatEachControlIsFor();
    void fonts_data();
    void fonts();
    void sharedPictures();
    void colours_data();
    void colours();
    void longPasteKeepsTheFirstCharacters_data();
    void longPasteKeepsTheFirstCharacters();
};

void TestWindow::clientAreaIsFixed()
{
    Window w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    QCOMPARE(w->size(), QSize(470, 205));
    QCOMPARE(w->minimumSize(), QSize(470, 205));
    QCOMPARE(w->maximumSize(), QSize(470, 205));
    QVERIFY(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
}

void TestWindow::everyControlExistsWithItsName()
{
    Window w;
    int widgets = 0;
    for (const ControlSpec &spec : inventory()) {
        QObject *o = w->findChild<QObject *>(QString::fromLatin1(spec.name));
        QVERIFY2(o, spec.name);
        if (auto *widget = qobject_cast<QWidget *>(o)) {
            ++widgets;
            if (spec.kind != Kind::Line)
                QCOMPARE(widget->geometry(),
                         QRect(spec.left / 15, spec.top / 15, spec.width / 15, spec.height / 15));
            const QString container = QString::fromLatin1(spec.container);
            QCOMPARE(widget->parentWidget()->objectName(), container);
        }
    }
    QCOMPARE(widgets, int(inventory().size()) - 2); // all but the timer and the colour dialog
    // Armed for its first tick, about half a second on.
    QVERIFY2(w->Timer1->interval() >= 250 && w->Timer1->interval() <= 752,
             QByteArray::number(w->Timer1->interval()));
    QVERIFY(w->Timer1->isActive());
    QCOMPARE(w->Timer1->timerType(), Qt::PreciseTimer);
}

void TestWindow::seenAtStart()
{
    Window w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    QCOMPARE(seenControls(w.form.get()),
             names({"Frame2", "Label1", "Frame1", "Label2", "Command2", "Command1"}));
    // A control's own flag says True while a container above it is hidden.
    QVERIFY(!w->List1->isHidden());
    QVERIFY(!w->List1->isVisible());
}

void TestWindow::startState()
{
    Window w;
    QCOMPARE(w->windowTitle(), QStringLiteral("Tesmora.     ver. 1.0.9"));
    QVERIFY(w->Label1->text().isEmpty());
    QVERIFY(w->Label2->text().isEmpty());
    QCOMPARE(w->Label1->toolTip(), QStringLiteral("Click to Timer."));
    QCOMPARE(w->Label2->toolTip(), QStringLiteral("Clck to Stopwatch"));
    QCOMPARE(w->Label6->text(),
             QString::fromUtf8("\u00BA") + QStringLiteral("Celsius (centigrades)"));
    QCOMPARE(w->Command19->text(), QStringLiteral("Miles to Km."));
    QVERIFY(w->Command1->isEnabled() && w->Command2->isEnabled());
    for (QPushButton *b : w->findChildren<QPushButton *>())
        QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
    for (Panel *p : {w->Picture1, w->Picture2, w->Picture5, w->Picture6, w->Picture8, w->Picture10,
                     w->Picture12, w->Picture13})
        QVERIFY2(p->isHidden(), qPrintable(p->objectName()));
    QCOMPARE(w->MonthView1->minimumDate(), QDate(1753, 1, 1));
    QCOMPARE(w->MonthView1->maximumDate(), QDate(9999, 12, 31));
    QVERIFY(w->MediaPlayer1->isHidden());
}

void TestWindow::stackingFollowsTheInventory()
{
    Window w;
    // For each container: its children as listed, front first; Qt keeps them back first.
    QHash<QString, QStringList> listed;
    for (const ControlSpec &spec : inventory())
        if (spec.kind != Kind::Timer && spec.kind != Kind::CommonDialog && spec.kind != Kind::Line)
            listed[QString::fromLatin1(spec.container)].append(QString::fromLatin1(spec.name));
    for (auto it = listed.cbegin(); it != listed.cend(); ++it) {
        QWidget *container
            = it.key() == QLatin1String("Form1") ? w.form.get() : w->findChild<QWidget *>(it.key());
        QStringList frontToBack;
        const QObjectList kids = container->children();
        for (auto k = kids.crbegin(); k != kids.crend(); ++k)
            if (qobject_cast<QWidget *>(*k)
                && findControl((*k)->objectName().toLatin1().constData())
                && !qobject_cast<Line *>(*k))
                frontToBack.append((*k)->objectName());
        QCOMPARE(frontToBack, it.value());
    }
    // The rule above the result field lies behind every control of the calculator.
    QCOMPARE(w->Picture5->children().indexOf(w->Line1), 0);
}

void TestWindow::codesPanelCoversTheStack()
{
    Window w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    for (Panel *p : {w->Picture8, w->Picture10, w->Picture12, w->Picture13})
        p->setVisible(true);
    const QRect area = w->Picture8->geometry().intersected(w->rect());
    const QList<Hit> hits = hitsOver(w.form.get(), area);
    const QSet<QString> codes
        = names({"Picture13", "Combo1", "Combo2", "Combo3", "Label10", "Label11", "Label12"});
    const QSet<QString> background = names({"Picture8", "Picture10", "Picture12"});
    for (const Hit &h : hits) {
        if (codes.contains(h.name) || background.contains(h.name))
            continue;
        QVERIFY2(h.name == QLatin1String("MonthView1"),
                 qPrintable(h.name + QStringLiteral(" shows through")));
        // The calendar shows only in the strip above the codes panel (which the conversions
        // panel's own top edge clips away, as the translator panel starts above it).
        const QPoint inCalendarPanel = w->Picture12->mapFrom(w.form.get(), h.at);
        QVERIFY2(inCalendarPanel.y() < 120 / 15, qPrintable(QString::number(inCalendarPanel.y())));
    }
    const QSet<QString> hit = namesOf(hits);
    QVERIFY(hit.contains(codes));
    for (const char *hidden : {"List1", "Text6", "Text7", "Label8", "Label9", "Command8", "Text4",
                               "VScroll1", "Label6", "Label1"})
        QVERIFY2(!hit.contains(QString::fromLatin1(hidden)), hidden);
}

void TestWindow::aboutCoversTheCalculator()
{
    Window w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    w->Picture5->setVisible(true);
    w->Picture6->setVisible(true);
    const QSet<QString> hit
        = namesOf(hitsOver(w.form.get(), w->Picture5->geometry().intersected(w->rect())));
    for (const char *calc : {"Text1", "Text2", "Text3", "Command12", "Command13", "Command14",
                             "Command15", "Command16", "Command17", "Line1", "Picture5"})
        QVERIFY2(!hit.contains(QString::fromLatin1(calc)), calc);
    QVERIFY(hit.contains(QStringLiteral("Label5")));
    QVERIFY(hit.contains(QStringLiteral("Picture7")));
}

void TestWindow::menuCoversTheDate()
{
    Window w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    w->Picture1->setVisible(true);
    const QSet<QString> hit
        = namesOf(hitsOver(w.form.get(), w->Frame1->geometry().intersected(w->rect())));
    QVERIFY(!hit.contains(QStringLiteral("Label2")));
    QVERIFY(!hit.contains(QStringLiteral("Frame1")));
    QVERIFY(hit.contains(QStringLiteral("Command4")));
}

void TestWindow::pictureStoresAreNeverSeen()
{
    Window w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    for (Panel *p : {w->Picture2, w->Picture8})
        p->setVisible(true);
    w->Picture10->setVisible(false);
    QVERIFY(w->Command9->isVisible());
    QVERIFY(w->Command8->isVisible());
    QVERIFY(!w->Picture3->isVisible());
    QVERIFY(!w->Picture4->isVisible());
    QVERIFY(!w->Picture9->isVisible());
}

void TestWindow::clippedAtContainerEdges()
{
    Window w;
    // Containers extend past the window, and children past their containers; what lies outside
    // is cut off at the container's edge.
    QCOMPARE(w->Picture8->geometry().right() - w->rect().right(), 165 / 15);
    QCOMPARE(w->Picture5->geometry().right() - w->rect().right(), 45 / 15);
    QCOMPARE(w->Picture2->geometry().right() - w->rect().right(), 45 / 15);
    QCOMPARE(w->Picture1->geometry().bottom() - w->rect().bottom(), 60 / 15);
    QCOMPARE(w->MonthView1->geometry().bottom() - w->Picture12->rect().bottom(), 195 / 15);
    QVERIFY(w->Label3->geometry().right() > w->Picture6->rect().right());
    QVERIFY(w->Label4->geometry().right() > w->Picture6->rect().right());
    // The calendar keeps the height it was given, even below what it would ask for.
    QCOMPARE(w->MonthView1->height(), 2370 / 15);
}

void TestWindow::focusOrderFollowsTabIndex()
{
    Window w;
    // Walking the focus chain from the first control meets the focusable controls in the order
    // of their tab indexes.
    QList<int> tabs;
    QWidget *start = w->Command1;
    QWidget *x = start;
    do {
        if (const ControlSpec *spec = findControl(x->objectName().toLatin1().constData()))
            if (x->focusPolicy() & Qt::TabFocus)
                tabs.append(spec->tab);
        x = x->nextInFocusChain();
    } while (x != start);
    QVERIFY(tabs.size() > 30);
    QList<int> sorted = tabs;
    std::sort(sorted.begin(), sorted.end());
    QCOMPARE(tabs, sorted);
    // Panels and labels that only show something never take the focus; the labels and pictures
    // that act on a click do, so that the keyboard reaches them.
    QCOMPARE(w->Picture8->focusPolicy(), Qt::NoFocus);
    QCOMPARE(w->Label3->focusPolicy(), Qt::NoFocus);
    for (Label *pressable : {w->Label1, w->Label2, w->Label5, w->Picture7})
        QVERIFY2(pressable->focusPolicy() & Qt::TabFocus, qPrintable(pressable->objectName()));
}

void TestWindow::pressedWithSpaceAndEnter_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    // Every button, and every label or picture that acts on a click.
    for (const ControlSpec &spec : inventory()) {
        const bool button = spec.kind == Kind::Button || spec.kind == Kind::GraphicalButton;
        if (!button && !spec.pressable)
            continue;
        QTest::addRow("%s, Space", spec.name) << spec.name << int(Qt::Key_Space) << 0;
        QTest::addRow("%s, Return", spec.name) << spec.name << int(Qt::Key_Return) << 0;
        QTest::addRow("%s, keypad Enter", spec.name)
            << spec.name << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }
}

void TestWindow::pressedWithSpaceAndEnter()
{
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    Window w;
    QWidget *c = tesmora::control(w.form.get(), control);
    QVERIFY(c);
    QVERIFY(c->focusPolicy() & Qt::TabFocus);
    auto *label = qobject_cast<Label *>(c);
    QSignalSpy clicks(c, label ? SIGNAL(clicked()) : SIGNAL(clicked(bool)));
    QTest::keyClick(c, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(clicks.size(), 1);
    // A key held down presses once, not once per repeat.
    QKeyEvent held(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), QString(), true);
    QApplication::sendEvent(c, &held);
    QCOMPARE(clicks.size(), 1);
    // Ctrl+Enter is no press (it may mean something else to the window).
    if (key != Qt::Key_Space) {
        QTest::keyClick(c, Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(clicks.size(), 1);
    }
}

void TestWindow::saysWhatEachControlIsFor_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::newRow("bulb") << "Command1"
                          << "Utilities"
                          << "Utilities";
    QTest::newRow("colour button") << "Command2"
                                   << "Black or white background"
                                   << "Black or White Background";
    QTest::newRow("translator button") << "Command4"
                                       << "Spanish translator"
                                       << "SPANISH TRANSLATOR";
    QTest::newRow("divide") << "Command15"
                            << "Divide"
                            << "";
    QTest::newRow("result") << "Text3"
                            << "Result"
                            << "";
    QTest::newRow("country list") << "Combo2"
                                  << "Country codes"
                                  << "";
    QTest::newRow("captioned button") << "Command19"
                                      << "Miles to Km."
                                      << "";
    // A label reads what it shows; what it is for is its description.
    QTest::newRow("time") << "Label1"
                          << "12:04:22"
                          << "Click to Timer.";
    QTest::newRow("country code") << "Label11"
                                  << ""
                                  << "Country code";
}

void TestWindow::saysWhatEachControlIsFor()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QString, description);
    const DefaultLocale pinned(QLocale::c());
    Window w;
    QMetaObject::invokeMethod(w->Timer1, "timeout", Qt::DirectConnection);
    QWidget *c = tesmora::control(w.form.get(), control);
    QVERIFY(c);
    if (auto *combo = qobject_cast<QComboBox *>(c))
        c = combo->lineEdit();
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(c);
    QVERIFY(a);
    QCOMPARE(a->text(QAccessible::Name), name);
    QCOMPARE(a->text(QAccessible::Description), description);
}

void TestWindow::fonts_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("pixels"); // points at 96 dots per inch
    QTest::addColumn<bool>("bold");
    QTest::newRow("time, Arial 72 bold") << "Label1" << 96 << true;
    QTest::newRow("date, 24 bold") << "Label2" << 32 << true;
    QTest::newRow("default, 8.25") << "Command19" << 11 << false;
    QTest::newRow("list, 9.75 bold") << "List1" << 13 << true;
    QTest::newRow("combo, 12 bold") << "Combo2" << 16 << true;
    QTest::newRow("maker, 13.5 bold") << "Label3" << 18 << true;
    QTest::newRow("calendar, 8.25 bold") << "MonthView1" << 11 << true;
}

void TestWindow::fonts()
{
    QFETCH(QString, control);
    QFETCH(int, pixels);
    QFETCH(bool, bold);
    Window w;
    QWidget *c = tesmora::control(w.form.get(), control);
    QVERIFY(c);
    const QFontInfo info(c->font());
    QCOMPARE(info.family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(info.pixelSize(), pixels);
    QCOMPARE(info.bold(), bold);
}

void TestWindow::sharedPictures()
{
    Window w;
    QCOMPARE(picture(w->Command1), picture(w->Picture4));
    QVERIFY(picture(w->Command1) != picture(w->Picture3));
    QCOMPARE(picture(w->Picture11), QStringLiteral(":/images/clock.ico"));
    QVERIFY(!w->windowIcon().isNull());
    QCOMPARE(w->windowIcon().pixmap(32).toImage(),
             QIcon(picture(w->Picture11)).pixmap(32).toImage());
    // Pictures and pointers are read when their controls are first seen.
    for (QWidget *c : std::initializer_list<QWidget *> {w->Picture7, w->Label5, w->Command1,
                                                        w->Command3, w->Command17, w->Image2})
        reveal(c);
    // The pointing hand: one image, tip of the finger at (12, 1).
    for (QWidget *c : {static_cast<QWidget *>(w->Picture7), static_cast<QWidget *>(w->Label5)}) {
        QCOMPARE(c->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(c->cursor().hotSpot(), QPoint(12, 1));
        QCOMPARE(c->cursor().pixmap().size(), QSize(32, 32));
    }
    QCOMPARE(w->Picture7->cursor().pixmap().toImage(), w->Label5->cursor().pixmap().toImage());
    QCOMPARE(w->Command1->iconSize(), QSize(32, 32));
    QCOMPARE(w->Command3->iconSize(), QSize(24, 22));
    QCOMPARE(w->Command17->iconSize(), QSize(24, 23));
    QCOMPARE(w->Picture7->pixmap().size(), QSize(73, 44));
    QVERIFY(w->Image3->hasScaledContents());
    QVERIFY(w->Image2->pixmap().isNull());
}

void TestWindow::colours_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<uint>("fore");
    QTest::addColumn<uint>("back");
    QTest::newRow("time label") << "Label1" << 0x80000012u << 0x8000000Fu;
    QTest::newRow("frame") << "Frame2" << 0x80000012u << 0x8000000Fu;
    QTest::newRow("link label") << "Label5" << 0x00C00000u << 0x8000000Fu;
    QTest::newRow("text box") << "Text1" << 0x80000008u << 0x80000005u;
    QTest::newRow("list box") << "List1" << 0x80000008u << 0x80000005u;
}

void TestWindow::colours()
{
    QFETCH(QString, control);
    QFETCH(uint, fore);
    QFETCH(uint, back);
    Window w;
    QWidget *c = tesmora::control(w.form.get(), control);
    QCOMPARE(foreColor(c), fore);
    QCOMPARE(backColor(c), back);
    // What is painted is what the value says, under the current palette.
    QCOMPARE(c->palette().color(c->foregroundRole()), resolveColor(fore, QApplication::palette(c)));
}

void TestWindow::longPasteKeepsTheFirstCharacters_data()
{
    QTest::addColumn<QString>("control");
    for (const ControlSpec &spec : inventory())
        if (spec.kind == Kind::TextBox || spec.kind == Kind::ComboBox)
            QTest::newRow(spec.name) << QString::fromLatin1(spec.name);
}

void TestWindow::longPasteKeepsTheFirstCharacters()
{
    // Every field that takes typing holds a bounded line: a paste longer than that keeps its
    // first characters, and the full field goes on taking keys.
    QFETCH(QString, control);
    Window w;
    QWidget *c = tesmora::control(w.form.get(), control);
    auto *combo = qobject_cast<QComboBox *>(c);
    QLineEdit *field = combo ? combo->lineEdit() : qobject_cast<QLineEdit *>(c);
    QVERIFY(field);
    // Ten thousand characters of digits and a script that is shaped, pasted over the field.
    QString text;
    while (text.size() < 10000)
        text += QStringLiteral("1234567890 \u0645\u0631\u062D\u0628\u0627 ");
    text.truncate(10000);
    QGuiApplication::clipboard()->setText(text);
    field->selectAll();
    QTest::keySequence(field, QKeySequence::Paste);
    QCOMPARE(field->text(), text.left(maxFieldLength));
    // The full field still takes edits at its end.
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, QStringLiteral("7"));
    QCOMPARE(field->text(), text.left(maxFieldLength - 1) + u'7');
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
