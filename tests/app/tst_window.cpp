// The window as built at start: what is seen, what covers what, focus order, keys, names, fonts,
// colours; and the conversions panel, on which nothing reacts.

#include "app/inventory.h"
#include "controls/colorvalue.h"
#include "controls/named.h"
#include "controls/picture.h"
#include "tests/support/defaultlocale.h"
#include "tests/support/testmain.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace tesmora;
using namespace tesmora::testing;
using namespace Qt::StringLiterals;

namespace {

QSet<QString> names(std::initializer_list<const char *> list)
{
    QSet<QString> out;
    for (const char *n : list)
        out.insert(QString::fromLatin1(n));
    return out;
}

// The controls the inventory places in a container.
QSet<QString> childrenOf(const char *container)
{
    QSet<QString> out;
    for (const ControlSpec &spec : inventory())
        if (qstrcmp(spec.container, container) == 0)
            out.insert(QString::fromLatin1(spec.name));
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

// What the user could notice of every control of the window.
QMap<QString, QString> noticed(Form1 *form)
{
    QMap<QString, QString> out;
    for (const ControlSpec &spec : inventory()) {
        auto *w = form->findChild<QWidget *>(QString::fromLatin1(spec.name));
        if (!w)
            continue;
        QString state = QStringLiteral("shown=%1 enabled=%2 tip=%3 ")
                            .arg(!w->isHidden())
                            .arg(w->isEnabled())
                            .arg(w->toolTip());
        if (auto *e = qobject_cast<QLineEdit *>(w))
            state += e->text();
        else if (auto *l = qobject_cast<QLabel *>(w))
            state += l->text();
        else if (auto *b = qobject_cast<QAbstractButton *>(w))
            state += b->text();
        else if (auto *c = qobject_cast<QComboBox *>(w))
            state += c->currentText();
        else if (auto *list = qobject_cast<QAbstractItemView *>(w))
            state += QString::number(list->currentIndex().row());
        else if (auto *s = qobject_cast<QAbstractSlider *>(w))
            state += QString::number(s->value());
        out.insert(QString::fromLatin1(spec.name), state);
    }
    out.insert(QStringLiteral("title"), form->windowTitle());
    return out;
}

} // namespace

class TestWindow : public WatchedTest
{
    Q_OBJECT
private Q_SLOTS:

    void builtFromTheInventory();
    void atStart();
    void covers_data();
    void covers();
    void clippedAtContainerEdges();
    void focusOrderFollowsTabIndex();
    void pressedWithSpaceAndEnter_data();
    void pressedWithSpaceAndEnter();
    void saysWhatEachControlIsFor_data();
    void saysWhatEachControlIsFor();
    void fonts_data();
    void fonts();
    void colors_data();
    void colors();
    void longPasteKeepsTheFirstCharacters_data();
    void longPasteKeepsTheFirstCharacters();
    void conversionsChangeNothing_data();
    void conversionsChangeNothing();
    void closesWithoutReachingHandlers();
};

void TestWindow::builtFromTheInventory()
{
    Window w;
    // Each control with its name, in its container, where the inventory puts it, with its own
    // Visible flag and enabled.
    int widgets = 0;
    for (const ControlSpec &spec : inventory()) {
        QObject *o = w->findChild<QObject *>(QString::fromLatin1(spec.name));
        QVERIFY2(bool(o) != (spec.kind == Kind::CommonDialog), spec.name); // the desktop's dialog
        if (auto *widget = qobject_cast<QWidget *>(o)) {
            ++widgets;
            if (spec.kind != Kind::Line)
                QCOMPARE(widget->geometry(),
                         QRect(spec.left / 15, spec.top / 15, spec.width / 15, spec.height / 15));
            QCOMPARE(widget->parentWidget()->objectName(), QString::fromLatin1(spec.container));
            QVERIFY2(widget->isHidden() != spec.visible && widget->isEnabled(), spec.name);
        }
    }
    QCOMPARE(widgets, int(inventory().size()) - 2); // all but the timer and the colour dialog
    // Armed for its first tick, about half a second on.
    QVERIFY2(w->Timer1->interval() >= 250 && w->Timer1->interval() <= 752,
             QByteArray::number(w->Timer1->interval()));
    QVERIFY(w->Timer1->isActive());
    QCOMPARE(w->Timer1->timerType(), Qt::PreciseTimer);

    // Stacked as listed: for each container its children front first; Qt keeps them back first.
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

    // A tool asking for a control the window lacks, or for one of another kind, is told which.
    auto refusal = [&w](const char *name) -> QByteArray {
        try {
            named<QPushButton>(*w.form, name);
        } catch (const MissingControl &e) {
            return e.what();
        }
        return "found";
    };
    QVERIFY(refusal("Comand12").contains("\"Comand12\""));
    QVERIFY(refusal("Text1").contains("\"Text1\" is a tesmora::TextBox"));
    QCOMPARE(refusal("Command12"), "found");
}

void TestWindow::atStart()
{
    Window w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    // A fixed client area that can be minimised, not maximised.
    QCOMPARE(w->size(), QSize(470, 205));
    QCOMPARE(w->minimumSize(), QSize(470, 205));
    QCOMPARE(w->maximumSize(), QSize(470, 205));
    QVERIFY(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));

    QCOMPARE(seenControls(w.form.get()),
             names({"Frame2", "Label1", "Frame1", "Label2", "Command2", "Command1"}));
    // A control's own flag says True while a container above it is hidden.
    QVERIFY(!w->List1->isHidden());
    QVERIFY(!w->List1->isVisible());

    QCOMPARE(w->windowTitle(), QStringLiteral("Tesmora.     ver. 1.0.9"));
    QVERIFY(w->Label1->text().isEmpty());
    QVERIFY(w->Label2->text().isEmpty());
    QCOMPARE(w->Label6->text(),
             QString::fromUtf8("\u00BA") + QStringLiteral("Celsius (centigrades)"));
    QCOMPARE(w->Command19->text(), QStringLiteral("Miles to Km."));
    QCOMPARE(w->MonthView1->minimumDate(), QDate(1753, 1, 1));
    QCOMPARE(w->MonthView1->maximumDate(), QDate(9999, 12, 31));
}

void TestWindow::covers_data()
{
    QTest::addColumn<QStringList>("shown"); // panels whose own flag is set
    QTest::addColumn<QString>("area"); // the control whose area is looked at
    QTest::addColumn<QString>("front"); // the panel seen there, with all of its controls
    QTest::addColumn<QString>("peek"); // a control seen in a strip at the top of its container

    QTest::newRow("menu bar over the date") << QStringList {"Picture1"} << "Frame1"
                                            << "Picture1"
                                            << "";
    // The calendar shows only in the strip above the codes panel (which the conversions panel's
    // own top edge clips away, as the translator panel starts above it).
    QTest::newRow("codes panel over the stack")
        << QStringList {"Picture8", "Picture10", "Picture12", "Picture13"} << "Picture8"
        << "Picture13"
        << "MonthView1";
    QTest::newRow("About over the calculator") << QStringList {"Picture5", "Picture6"} << "Picture5"
                                               << "Picture6"
                                               << "";
}

void TestWindow::covers()
{
    QFETCH(QStringList, shown);
    QFETCH(QString, area);
    QFETCH(QString, front);
    QFETCH(QString, peek);
    Window w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    for (const QString &panel : shown)
        tesmora::control(w.form.get(), panel)->setVisible(true);
    const QRect looked = tesmora::control(w.form.get(), area)->geometry().intersected(w->rect());
    const QList<Hit> hits = hitsOver(w.form.get(), looked);
    const QSet<QString> seen
        = childrenOf(qPrintable(front)) + QSet<QString>(shown.begin(), shown.end());
    for (const Hit &h : hits) {
        if (seen.contains(h.name))
            continue;
        QVERIFY2(h.name == peek, qPrintable(h.name + QStringLiteral(" shows through")));
        QWidget *c = tesmora::control(w.form.get(), peek);
        const int y = c->parentWidget()->mapFrom(w.form.get(), h.at).y();
        QVERIFY2(y < 120 / 15, qPrintable(QString::number(y)));
    }
    QVERIFY(namesOf(hits).contains(childrenOf(qPrintable(front))));
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
    } else if (label) {
        // The mouse presses a label with the left button released over it; a right click, or
        // a press taken off the label before it is let go, is no press.
        const QPoint inside = label->rect().center(), outside(label->width() + 5, inside.y());
        QTest::mouseClick(label, Qt::RightButton, {}, inside);
        QTest::mousePress(label, Qt::LeftButton, {}, inside);
        QTest::mouseRelease(label, Qt::LeftButton, {}, outside);
        QCOMPARE(clicks.size(), 1);
        QTest::mouseClick(label, Qt::LeftButton, {}, inside);
        QCOMPARE(clicks.size(), 2);
    }
}

void TestWindow::saysWhatEachControlIsFor_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    // The buttons say what they are for, and their tooltips describe them.
    QTest::newRow("bulb") << "Command1" << u"Utilities"_s << u"Utilities"_s;
    QTest::newRow("colour") << "Command2" << u"Black or white background"_s
                            << u"Black or White Background"_s;
    QTest::newRow("codes") << "Command22" << u"Area and country codes"_s
                           << u"AREA AND COUNTRY CODES"_s;
    QTest::newRow("calendar") << "Command3" << u"Calendar"_s << u"CALENDAR"_s;
    QTest::newRow("translator") << "Command4" << u"Spanish translator"_s << u"SPANISH TRANSLATOR"_s;
    QTest::newRow("conversions") << "Command5" << u"Conversions"_s << u"CONVERSIONS"_s;
    QTest::newRow("player") << "Command6" << u"MP3 player"_s << u"MP3 PLAYER"_s;
    QTest::newRow("calculator") << "Command7" << u"Calculator"_s << u"CALCULATOR"_s;
    QTest::newRow("About") << "Command20" << u"About"_s << u"About"_s;
    QTest::newRow("divide") << "Command15" << u"Divide"_s << QString();
    QTest::newRow("captioned button") << "Command19" << u"Miles to Km."_s << QString();
    QTest::newRow("result") << "Text3" << u"Result"_s << QString();
    QTest::newRow("country list") << "Combo2" << u"Country codes"_s << QString();
    // A label reads what it shows; what it is for is its description.
    QTest::newRow("time") << "Label1" << u"12:04:22"_s << u"Click to Timer."_s;
    QTest::newRow("date") << "Label2" << u"2026-12-07"_s << u"Clck to Stopwatch"_s;
    QTest::newRow("country code") << "Label11" << QString() << u"Country code"_s;
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

void TestWindow::colors_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<uint>("fore");
    QTest::addColumn<uint>("back");
    QTest::newRow("maker's name") << "Label3" << 0x80000012u << 0x8000000Fu;
    QTest::newRow("link label") << "Label5" << 0x00C00000u << 0x8000000Fu;
    QTest::newRow("text box") << "Text1" << 0x80000008u << 0x80000005u;
    QTest::newRow("list box") << "List1" << 0x80000008u << 0x80000005u;
}

void TestWindow::colors()
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

void TestWindow::conversionsChangeNothing_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("gesture");
    for (const ControlSpec &spec : inventory()) {
        if (qstrcmp(spec.container, "Picture8") != 0 || !spec.visible || spec.kind == Kind::Panel)
            continue;
        if (spec.kind == Kind::TextBox) {
            QTest::addRow("%s, typing", spec.name) << spec.name << "type";
        } else if (spec.kind == Kind::VScrollBar) {
            QTest::addRow("%s, a click below the thumb", spec.name) << spec.name << "page";
            QTest::addRow("%s, End", spec.name) << spec.name << "end";
        } else {
            QTest::addRow("%s, click", spec.name) << spec.name << "click";
        }
    }
}

void TestWindow::conversionsChangeNothing()
{
    // Nothing on the conversions panel converts anything: a gesture changes at most the control
    // it was made on, and nothing else in the window.
    QFETCH(QString, control);
    QFETCH(QString, gesture);
    Window w;
    QVERIFY(w.openTool(w->Command5));
    w->Timer1->stop(); // the clock stands still
    QWidget *c = tesmora::control(w.form.get(), control);
    QVERIFY(c->isVisible());
    // Something in every box, to see that it stays.
    for (auto *box : w->Picture8->findChildren<TextBox *>(Qt::FindDirectChildrenOnly)) {
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClicks(box, QStringLiteral("20"));
    }
    QMap<QString, QString> before = noticed(w.form.get());

    if (gesture == u"click") {
        QTest::mouseClick(c, Qt::LeftButton);
    } else if (gesture == u"type") {
        QTest::mouseClick(c, Qt::LeftButton);
        QTest::keyClicks(c, QStringLiteral("451"));
    } else if (gesture == u"page") {
        QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(c->width() / 2, c->height() - 4));
    } else {
        c->setFocus(Qt::TabFocusReason);
        QTest::keyClick(c, Qt::Key_End);
    }
    QMap<QString, QString> after = noticed(w.form.get());
    if (gesture != u"click")
        QVERIFY(after.take(control) != before.take(control));
    QCOMPARE(after, before);
    QVERIFY(w.prompts.messages.isEmpty() && w.prompts.inputs.isEmpty());
    QVERIFY(w.colors.initials.isEmpty() && w.browser.opened.isEmpty());
    QVERIFY(w.clipboard.texts.isEmpty() && w.media->calls.isEmpty());
}

void TestWindow::closesWithoutReachingHandlers()
{
    // A control that still speaks while the closing window takes its controls down reaches no
    // handler: the handlers have gone by then.
    Window w;
    QPushButton *calendar = w->Command3;
    QWidget *firstToGo = w->findChildren<QWidget *>(Qt::FindDirectChildrenOnly).first();
    QVERIFY(!firstToGo->isAncestorOf(calendar));
    bool spoke = false;
    QObject::connect(firstToGo, &QObject::destroyed, calendar, [&spoke, calendar] {
        calendar->click();
        spoke = true;
    });
    w.form.reset();
    QVERIFY(spoke);
}

TESMORA_TEST(TestWindow)
#include "tst_window.moc"
