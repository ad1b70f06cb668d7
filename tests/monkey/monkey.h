#pragma once

// A monkey for the whole window: seeded random clicks, drags, wheel turns, keys and typing on
// whatever the user can see and reach, clicks on the bare window, window-state changes and clock
// ticks, while the fake desktop answers at random. A seed walks the same events again
// (TESMORA_MONKEY_SEED), and a failure names the events that led to it.

#include "player/drivelist.h"
#include "tests/support/window.h"

#include <QColor>
#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QPoint>
#include <QPointer>
#include <QRandomGenerator>
#include <QString>
#include <functional>
#include <optional>

namespace tesmora::testing {

struct MonkeyEvent
{
    enum Kind { Click, DoubleClick, Drag, Move, Wheel, Key, Type, Surface, WindowState, Tick };
    Kind kind = Tick;
    QPointer<QWidget> widget; // the receiving widget
    QString target; // its path of names from the window down, to describe the event
    QPoint at, to;
    int key = 0; // Key: the key; Type: 1 = committed through the input method, 0 = keystrokes
    Qt::KeyboardModifiers modifiers;
    QString text;
    int amount = 0; // Type: 1 = replaces the field's text; WindowState: the state; Tick: seconds
    int menuPick = -1; // an entry to take in a menu that the event opens; -1 = Escape

    // How the fake desktop answers while this event runs.
    std::optional<QString> answer; // the input box: nothing = Cancel
    std::optional<QColor> color; // the colour chooser: nothing = Cancel
    bool browserAccepts = true;
    bool loadsFail = false;
    int volumes = 0; // which set of mounted volumes the drive list finds

    QString describe() const;
};

// One window and its fake desktop, driven by events; checks what the user can see after each.
class MonkeyRun
{
public:
    // `root`: a folder tree the player may browse (the walk never leaves it).
    MonkeyRun(const QString &root, const QLocale &locale);
    ~MonkeyRun();

    // A new random event for the window as it is now.
    MonkeyEvent next(QRandomGenerator &rng);
    // Runs the event and lets the window settle.
    void run(const MonkeyEvent &event);
    // What is wrong with the window now; empty when every rule holds.
    QString check() const;

    Window &window() { return *w; }

private:
    QString pathOf(const QWidget *widget) const;
    QList<QWidget *> reachable() const;
    bool insideRoot(const QWidget *target, QPoint at, int key) const;
    bool pickIn(QRandomGenerator &rng, QWidget *within, MonkeyEvent &e) const;
    void world(QRandomGenerator &rng, MonkeyEvent &e) const;

    QString root;
    QLocale locale;
    std::unique_ptr<Window> w;
    QList<QList<Volume>> volumeSets;
    int volumeSet = 0;
    // What the user last left in the result box, and whether the last tick showed the time.
    QString typedResult;
    bool ticked = false;
    int codeEntries[3] = {};
    int words = 0;
};

} // namespace tesmora::testing
