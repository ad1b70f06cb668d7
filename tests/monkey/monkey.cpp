#include "tests/monkey/monkey.h"

#include "calculator/calculator.h"
#include "clock/clocktext.h"
#include "codes/codetables.h"
#include "player/folderlist.h"
#include "tests/support/clockreading.h"
#include "tests/support/tools.h"
#include "translator/wordtable.h"

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolTip>

namespace tesmora::testing {

namespace {

const char *kindName(MonkeyEvent::Kind k)
{
    static const char *const names[]
        = {"click", "double-click",        "drag",         "move", "wheel", "key",
           "type",  "click on the window", "window state", "tick"};
    return names[k];
}

QString shortText(const QString &text)
{
    QString shown = text.left(24);
    QString out;
    for (QChar c : shown)
        out += c.isPrint() ? QString(c)
                           : QStringLiteral("\\u%1").arg(uint(c.unicode()), 4, 16, QChar(u'0'));
    if (text.size() > 24)
        out += QStringLiteral("... (%1 characters)").arg(text.size());
    return out;
}

// Texts a user may type: words, number-like texts, control characters, other scripts, and now
// and then ten thousand characters at once.
QString randomText(QRandomGenerator &rng, bool &commit)
{
    static const QStringList words = {"12",    "3.5", "-0",    "1e309", "&HFFFF",
                                      "&O777", "1,5", "abc",   " 7 ",   "0",
                                      "-1E-5", "Dog", "Spain", ".com",  "99999999999999999999",
                                      "1 2",   "+",   "e",     "&H"};
    static const QStringList scripts = {QStringLiteral("Привет мир"),
                                        QStringLiteral("مرحبا بالعالم ٣٫٥"),
                                        QStringLiteral("日本語のテキスト"),
                                        QStringLiteral("שלום\u200F"),
                                        QStringLiteral("नमस्ते"),
                                        QStringLiteral("e\u0301\u0301\u0301"),
                                        QStringLiteral("\U0001F600\U0001F9D1\u200D\U0001F373"),
                                        QStringLiteral("\uFEFF\u202Eabc\u202C")};
    commit = false;
    switch (rng.bounded(8)) {
    case 0:
    case 1:
        return words.at(rng.bounded(int(words.size())));
    case 2: {
        // Control characters, typed as the keys that make them.
        static const char controls[] = {'\t', '\n', '\r', '\b', '\x1b', '\x7f', '\x01', 'a', '5'};
        QString s;
        for (int i = rng.bounded(1, 8); i > 0; --i)
            s += QChar(controls[rng.bounded(int(sizeof controls))]);
        return s;
    }
    case 3: {
        QString s;
        for (int i = rng.bounded(1, 30); i > 0; --i)
            s += QChar(char(rng.bounded(32, 127)));
        return s;
    }
    case 4:
    case 5:
        commit = true;
        return scripts.at(rng.bounded(int(scripts.size())));
    case 6: {
        commit = true;
        // A lone surrogate, a nul and other characters a field should survive.
        const QChar odd[] = {QChar(0xD800), QChar(0), QChar(0xFFFF), QChar(0x2028), QChar(0xDC00)};
        QString s = QStringLiteral("x");
        for (int i = rng.bounded(1, 5); i > 0; --i)
            s += odd[rng.bounded(5)];
        return s;
    }
    default: {
        commit = true;
        const QString piece = rng.bounded(2) ? scripts.at(rng.bounded(int(scripts.size())))
                                             : QStringLiteral("1234567890");
        QString s;
        while (s.size() < 10000)
            s += piece;
        return s.left(10000);
    }
    }
}

const int keys[]
    = {Qt::Key_Left,   Qt::Key_Right,  Qt::Key_Up,       Qt::Key_Down,   Qt::Key_Home,
       Qt::Key_End,    Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Return, Qt::Key_Enter,
       Qt::Key_Escape, Qt::Key_Tab,    Qt::Key_Backtab,  Qt::Key_Space,  Qt::Key_Backspace,
       Qt::Key_Delete, Qt::Key_F4,     Qt::Key_A,        Qt::Key_D,      Qt::Key_S,
       Qt::Key_1,      Qt::Key_0,      Qt::Key_Period,   Qt::Key_Minus};

bool isLineEdit(const QWidget *w)
{
    return qobject_cast<const QLineEdit *>(w) != nullptr;
}

bool isSlider(const QWidget *w)
{
    return qobject_cast<const QAbstractSlider *>(w) != nullptr;
}

// The text of the result box after an operation: two blanks and a number in the general number
// text of the locale.
bool isNumberText(const QString &text, const QLocale &locale)
{
    const QRegularExpression number(QStringLiteral("^  -?[0-9]+(%1[0-9]+)?(E[+-][0-9]{2,3})?$")
                                        .arg(QRegularExpression::escape(locale.decimalPoint())));
    return number.match(text).hasMatch();
}

void sendMouse(QWidget *to, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held)
{
    QMouseEvent e(type, at, to->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(to, &e);
}

// Types one character as the key that makes it.
void typeKey(QWidget *to, QChar c)
{
    switch (c.unicode()) {
    case '\t':
        return QTest::keyClick(to, Qt::Key_Tab);
    case '\n':
        return QTest::keyClick(to, Qt::Key_Return);
    case '\r':
        return QTest::keyClick(to, Qt::Key_Enter);
    case '\b':
        return QTest::keyClick(to, Qt::Key_Backspace);
    case 0x1b:
        return QTest::keyClick(to, Qt::Key_Escape);
    case 0x7f:
        return QTest::keyClick(to, Qt::Key_Delete);
    case 0x01:
        return QTest::keyClick(to, Qt::Key_A, Qt::ControlModifier);
    default:
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f)
            return QTest::keyClick(to, char(c.unicode()));
        QTest::sendKeyEvent(QTest::Click, to, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace

QString MonkeyEvent::describe() const
{
    QString s = QString::fromLatin1(kindName(kind));
    if (!target.isEmpty())
        s += QStringLiteral(" on %1").arg(target);
    switch (kind) {
    case Click:
    case DoubleClick:
    case Move:
    case Surface:
        s += QStringLiteral(" at (%1,%2)").arg(at.x()).arg(at.y());
        break;
    case Drag:
        s += QStringLiteral(" from (%1,%2) to (%3,%4)")
                 .arg(at.x())
                 .arg(at.y())
                 .arg(to.x())
                 .arg(to.y());
        break;
    case Wheel:
        s += QStringLiteral(" at (%1,%2) by %3").arg(at.x()).arg(at.y()).arg(amount);
        break;
    case Key:
        s += QStringLiteral(" %1").arg(QKeySequence(key | int(modifiers)).toString());
        break;
    case Type:
        s += QStringLiteral(" \"%1\"%2%3")
                 .arg(shortText(text), amount ? QStringLiteral(" over the selected text") : "",
                      key ? QStringLiteral(" (input method)") : "");
        break;
    case WindowState:
        s += QStringLiteral(" %1").arg(
            QStringList {"normal", "minimised", "maximised", "full screen"}.at(amount));
        break;
    case Tick:
        s += QStringLiteral(" after %1 s").arg(amount);
        break;
    }
    QStringList desk;
    desk << (answer ? QStringLiteral("input box answers \"%1\"").arg(shortText(*answer))
                    : QStringLiteral("input box cancelled"));
    desk << (color ? QStringLiteral("colour %1").arg(color->name())
                   : QStringLiteral("colour cancelled"));
    if (!browserAccepts)
        desk << QStringLiteral("no browser");
    if (loadsFail)
        desk << QStringLiteral("files fail to load");
    desk << QStringLiteral("volumes %1").arg(volumes);
    if (menuPick >= 0)
        desk << QStringLiteral("menu entry %1").arg(menuPick);
    return s + QStringLiteral(" [") + desk.join(QStringLiteral(", ")) + u']';
}

MonkeyRun::MonkeyRun(const QString &root, const QLocale &locale) : root(root), locale(locale)
{
    QLocale::setDefault(locale);
    QDir::setCurrent(root + QStringLiteral("/a/music"));
    w = std::make_unique<Window>();
    // Ticks come from the events only, so that a replay sees the same clock.
    w->form->Timer1->stop();
    volumeSets = {
        {{root + "/a", "A", true}},
        {{root + "/a", "A", true}, {root + "/b", "B", true}},
        {{root + "/a", "A", true}, {root + "/b", "B", true}, {root + "/cdrom", "CD", false}},
        {{root + "/b", "B", true}, {root + "/unmounted", "gone", true}},
    };
    w->form->Drive1->setVolumeSource([this] { return volumeSets.at(volumeSet); });
    w->form->show();
    w->form->activateWindow();
    if (!QTest::qWaitForWindowActive(w->form.get()))
        qWarning("the window did not become active");
    // The lists fill when their panel is first shown: one entry a row of their table.
    codeEntries[0] = int(areaList().size());
    codeEntries[1] = int(countryList().size());
    codeEntries[2] = int(urlList().size());
    words = int(wordTable().size());
}

MonkeyRun::~MonkeyRun()
{
    // Qt 6.4's calendar forgets the editor of a date being typed into it when it closes within
    // the moment it waits for more digits; end that typing first, as the user's Escape does.
    QCalendarWidget *calendar = w->form->MonthView1;
    if (auto *days = calendar->findChild<QTableView *>())
        QTest::keyClick(days, Qt::Key_Escape);
    QTest::keyClick(calendar, Qt::Key_Escape);
    w.reset();
    // A tip the pointer left behind goes away later by itself; let it go now, so that nothing of
    // this run is still on its way out when the next one starts or the program ends.
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 5000))
        qWarning("a tool tip stayed");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString MonkeyRun::pathOf(const QWidget *widget) const
{
    QStringList parts;
    for (const QObject *o = widget; o && o != w->form.get(); o = o->parent())
        parts.prepend(o->objectName().isEmpty() ? QLatin1String(o->metaObject()->className())
                                                : o->objectName());
    return parts.join(u'/');
}

QList<QWidget *> MonkeyRun::reachable() const
{
    QList<QWidget *> out;
    QWidget *popup = QApplication::activePopupWidget();
    const QList<QWidget *> all = (popup ? popup : w->form.get())->findChildren<QWidget *>();
    for (QWidget *c : all)
        if (c->isVisible() && c->isEnabled() && c->width() > 0 && c->height() > 0)
            out.append(c);
    return out;
}

// The folder list may be walked below the test's own folder only, so that a run never depends
// on what the rest of this machine's file system holds.
bool MonkeyRun::insideRoot(const QWidget *target, QPoint at, int key) const
{
    const FolderList *dir = w->form->Dir1;
    if (target != dir && target != dir->viewport())
        return true;
    const QListWidgetItem *item = key ? dir->currentItem() : dir->itemAt(at);
    const QString folder = FolderList::folderOf(item);
    return folder.isEmpty() || folder == root || folder.startsWith(root + u'/');
}

void MonkeyRun::world(QRandomGenerator &rng, MonkeyEvent &e) const
{
    static const QStringList answers = {"5", "0", "abc", "-3", " 12 ", "1e3", "", "٣"};
    if (rng.bounded(4))
        e.answer = answers.at(rng.bounded(int(answers.size())));
    if (rng.bounded(3))
        e.color = QColor::fromRgb(rng.generate());
    e.browserAccepts = rng.bounded(3) != 0;
    e.loadsFail = rng.bounded(3) == 0;
    e.volumes = rng.bounded(20) == 0 ? rng.bounded(int(volumeSets.size())) : volumeSet;
    e.menuPick = rng.bounded(4) ? rng.bounded(12) : -1;
}

// A point inside `within` that reaches a widget the user can use, as the target of `e`.
bool MonkeyRun::pickIn(QRandomGenerator &rng, QWidget *within, MonkeyEvent &e) const
{
    const QPoint local(rng.bounded(within->width()), rng.bounded(within->height()));
    QWidget *top = within->window();
    const QPoint inTop = within->mapTo(top, local);
    QWidget *hit = top->childAt(inTop);
    if (!hit)
        hit = top;
    if (hit == w->form.get())
        return false; // the bare window has an event of its own
    e.widget = hit;
    e.target = pathOf(hit);
    e.at = hit->mapFrom(top, inTop);
    return insideRoot(hit, e.at, 0);
}

MonkeyEvent MonkeyRun::next(QRandomGenerator &rng)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        MonkeyEvent e;
        world(rng, e);
        const QList<QWidget *> seen = reachable();
        const int roll = rng.bounded(100);
        if (roll < 6) {
            e.kind = MonkeyEvent::Tick;
            static const int steps[] = {1, 1, 1, 0, 59, 3600, -1, 86400 * 40, -86400 * 400};
            e.amount = steps[rng.bounded(int(std::size(steps)))];
            return e;
        }
        if (roll < 8) {
            e.kind = MonkeyEvent::WindowState;
            e.amount = rng.bounded(6) < 3 ? 0 : rng.bounded(1, 4);
            return e;
        }
        if (seen.isEmpty() && !QApplication::activePopupWidget())
            continue;
        if (roll < 12 && !QApplication::activePopupWidget()) {
            e.kind = MonkeyEvent::Surface;
            QWidget *f = w->form.get();
            e.at = QPoint(rng.bounded(f->width()), rng.bounded(f->height()));
            if (f->childAt(e.at))
                continue;
            return e;
        }
        if (roll < 30) {
            e.kind = MonkeyEvent::Key;
            e.key = keys[rng.bounded(int(std::size(keys)))];
            const int mod = rng.bounded(10);
            e.modifiers = mod == 0 ? Qt::AltModifier
                : mod == 1         ? Qt::ControlModifier
                : mod == 2         ? Qt::ShiftModifier
                                   : Qt::NoModifier;
            QWidget *to = QApplication::focusWidget();
            if (QWidget *popup = QApplication::activePopupWidget())
                to = popup->focusWidget() ? popup->focusWidget() : popup;
            if (!to || !to->isVisible() || rng.bounded(4) == 0)
                to = seen.isEmpty() ? nullptr : seen.at(rng.bounded(int(seen.size())));
            if (!to)
                continue;
            e.widget = to;
            e.target = pathOf(to);
            if (!insideRoot(to, {}, e.key))
                continue;
            return e;
        }
        if (roll < 42) {
            QList<QWidget *> fields;
            for (QWidget *c : seen)
                if (isLineEdit(c) && !static_cast<QLineEdit *>(c)->isReadOnly())
                    fields.append(c);
            if (fields.isEmpty())
                continue;
            e.kind = MonkeyEvent::Type;
            QWidget *field = fields.at(rng.bounded(int(fields.size())));
            e.widget = field;
            e.target = pathOf(field);
            bool commit = false;
            e.text = randomText(rng, commit);
            e.key = commit ? 1 : 0;
            e.amount = rng.bounded(2);
            return e;
        }
        QList<QWidget *> pool = seen;
        if (roll < 50) {
            // Slider moves: the volume and the scroll bars.
            QList<QWidget *> sliders;
            for (QWidget *c : seen)
                if (isSlider(c))
                    sliders.append(c);
            if (!sliders.isEmpty())
                pool = sliders;
        }
        if (pool.isEmpty())
            continue;
        QWidget *within = pool.at(rng.bounded(int(pool.size())));
        if (!pickIn(rng, within, e))
            continue;
        if (roll < 50) {
            e.kind = MonkeyEvent::Drag;
            QWidget *hit = e.widget;
            e.to = QPoint(rng.bounded(hit->width()), rng.bounded(hit->height()));
        } else if (roll < 56) {
            e.kind = MonkeyEvent::Move;
        } else if (roll < 60) {
            e.kind = MonkeyEvent::Wheel;
            e.amount = rng.bounded(2) ? 120 : -120 * rng.bounded(1, 4);
        } else if (roll < 68) {
            e.kind = MonkeyEvent::DoubleClick;
        } else {
            e.kind = MonkeyEvent::Click;
        }
        return e;
    }
    MonkeyEvent tick;
    tick.kind = MonkeyEvent::Tick;
    tick.amount = 1;
    return tick;
}

void MonkeyRun::run(const MonkeyEvent &e)
{
    // The fake desktop's answers for this event.
    w->prompts.answers.clear();
    w->prompts.answers.push_back(e.answer);
    w->colors.answer = e.color;
    w->browser.accept = e.browserAccepts;
    w->media->failLoads = e.loadsFail;
    volumeSet = e.volumes;

    // A menu that the event opens runs its own event loop: take an entry, or leave it.
    const int pick = e.menuPick;
    QTimer menuHand;
    menuHand.setInterval(0);
    QObject::connect(&menuHand, &QTimer::timeout, &menuHand, [pick] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        if (pick < 0) {
            menu->close();
            return;
        }
        const QList<QAction *> actions = menu->actions();
        if (!actions.isEmpty()) {
            QAction *a = actions.at(pick % actions.size());
            if (a->isEnabled() && a->isVisible() && !a->isSeparator()) {
                a->trigger();
            }
        }
        menu->close();
    });
    menuHand.start();

    QWidget *form = w->form.get();
    QWidget *target = e.widget;
    const bool usable = target && target->isVisible() && target->isEnabled();
    switch (e.kind) {
    case MonkeyEvent::Click:
        if (usable)
            QTest::mouseClick(target, Qt::LeftButton, {}, e.at);
        break;
    case MonkeyEvent::DoubleClick:
        if (usable) {
            QTest::mouseClick(target, Qt::LeftButton, {}, e.at);
            // The second press of a double click arrives as the double-click event itself.
            if (target->isVisible())
                QTest::mouseDClick(target, Qt::LeftButton, {}, e.at);
        }
        break;
    case MonkeyEvent::Drag:
        if (usable) {
            QTest::mousePress(target, Qt::LeftButton, {}, e.at);
            if (target->isVisible()) {
                const QPoint middle = (e.at + e.to) / 2;
                sendMouse(target, QEvent::MouseMove, middle, Qt::NoButton, Qt::LeftButton);
                sendMouse(target, QEvent::MouseMove, e.to, Qt::NoButton, Qt::LeftButton);
            }
            QTest::mouseRelease(target, Qt::LeftButton, {}, e.to);
        }
        break;
    case MonkeyEvent::Move:
        if (usable)
            sendMouse(target, QEvent::MouseMove, e.at, Qt::NoButton, Qt::NoButton);
        break;
    case MonkeyEvent::Wheel:
        if (usable) {
            QWheelEvent wheel(e.at, target->mapToGlobal(e.at), {}, QPoint(0, e.amount),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(target, &wheel);
        }
        break;
    case MonkeyEvent::Key:
        if (usable)
            QTest::keyClick(target, Qt::Key(e.key), e.modifiers);
        break;
    case MonkeyEvent::Type:
        if (usable) {
            auto *field = static_cast<QLineEdit *>(target);
            field->setFocus(Qt::OtherFocusReason);
            if (e.amount)
                field->selectAll();
            if (e.key) {
                QInputMethodEvent commit;
                commit.setCommitString(e.text);
                QApplication::sendEvent(field, &commit);
            } else {
                // Key by key, with the window answering between them as it does for a typist.
                for (QChar c : e.text) {
                    if (!field->isVisible())
                        break;
                    typeKey(field, c);
                    QCoreApplication::processEvents();
                }
            }
        }
        break;
    case MonkeyEvent::Surface:
        if (!QApplication::activePopupWidget() && !form->childAt(e.at))
            QTest::mouseClick(form, Qt::LeftButton, {}, e.at);
        break;
    case MonkeyEvent::WindowState: {
        static const Qt::WindowStates states[]
            = {Qt::WindowNoState, Qt::WindowMinimized, Qt::WindowMaximized, Qt::WindowFullScreen};
        form->setWindowState(states[e.amount]);
        form->show();
        if (e.amount == 0)
            form->activateWindow();
        break;
    }
    case MonkeyEvent::Tick:
        w->now = w->now.addSecs(e.amount);
        w->form->clockTick->Timer1_Timer();
        break;
    }
    QCoreApplication::processEvents();
    menuHand.stop();

    const bool clockShown = !(form->windowState()
                              & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    if (e.kind == MonkeyEvent::Tick)
        ticked = clockShown;
    const TextBox *result = w->form->Text3;
    if (target && (target == result || result->isAncestorOf(target)))
        typedResult = result->text();
}

QString MonkeyRun::check() const
{
    const Form1 *form = w->form.get();
    const QStringList front = toolsSeen(form);
    if (front.size() > 1)
        return QStringLiteral("more than one tool open: %1").arg(front.join(u'+'));
    if (front.size() == 1) {
        for (const QString &name : toolButtons) {
            const bool enabled = form->findChild<QPushButton *>(name)->isEnabled();
            if (enabled != (name == front.first()))
                return QStringLiteral("%1 is open and %2 is %3")
                    .arg(front.first(), name, enabled ? "enabled" : "disabled");
        }
    } else {
        for (const QString &panel : toolPanels)
            if (!form->findChild<QWidget *>(panel)->isHidden())
                return QStringLiteral("no tool is open but %1 is still shown").arg(panel);
    }

    const QString result = form->Text3->text();
    const bool resultOk = result.isEmpty() || result == divideByZeroText || result == overflowText
        || result == invalidText || result == typedResult || isNumberText(result, locale);
    if (!resultOk)
        return QStringLiteral("Text3 shows \"%1\"").arg(shortText(result));

    const QString time = form->Label1->text(), date = form->Label2->text();
    const QTime shownTime = readTime(time, locale);
    const QDate shownDate = readDate(date, locale, w->now.date());
    if (!time.isEmpty() && !shownTime.isValid())
        return QStringLiteral("Label1 shows \"%1\", no time").arg(time);
    if (!date.isEmpty() && !shownDate.isValid())
        return QStringLiteral("Label2 shows \"%1\", no date").arg(date);
    if (ticked && (shownTime != w->now.time() || shownDate != w->now.date()))
        return QStringLiteral("the clock shows \"%1\" \"%2\" at %3")
            .arg(time, date, w->now.toString(Qt::ISODate));

    // A list holds nothing before its panel was first shown, and all of its entries after.
    const auto filled = [](int count, int all) { return count == 0 || count == all; };
    if (!filled(form->Combo1->count(), codeEntries[0])
        || !filled(form->Combo2->count(), codeEntries[1])
        || !filled(form->Combo3->count(), codeEntries[2]))
        return QStringLiteral("a code list changed its entries");
    if (!filled(form->List1->count(), words))
        return QStringLiteral("the word list changed its entries");
    return {};
}

} // namespace tesmora::testing
