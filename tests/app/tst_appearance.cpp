#include "app/appearance.h"
#include "tests/support/fakes.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QImage>
#include <QTest>
#include <memory>

using namespace tesmora;
using tesmora::testing::FakeColourChooser;
using tesmora::testing::ModalWatchdog;
using tesmora::testing::Window;

namespace {

constexpr ColorValue black = 0x00000000;
constexpr ColorValue white = 0x00FFFFFF;
constexpr ColorValue face = 0x8000000F;
constexpr ColorValue buttonText = 0x80000012;

// The clock area as the window lays it out, in real widgets.
struct Fixture
{
    std::unique_ptr<QWidget> form = std::make_unique<QWidget>();
    Frame *Frame2 = new Frame(form.get());
    Frame *Frame1 = new Frame(form.get());
    Label *Label1 = new Label(Frame2);
    Label *Label2 = new Label(Frame1);
    Panel *Picture1 = new Panel(form.get());
    QPushButton *Command2 = new QPushButton(form.get());
    QPushButton *Command1 = new QPushButton(form.get());
    FakeColourChooser chooser;
    Appearance appearance {
        {form.get(), Frame1, Frame2, Label1, Label2, Command1, Command2, Picture1}, chooser};

    Fixture() { Picture1->hide(); } // the menu starts closed

    // Every colour the toggles touch, in one comparable list.
    QList<ColorValue> colours() const
    {
        return {foreColor(Label1), backColor(Label1),     foreColor(Label2),
                backColor(Label2), backColor(form.get()), backColor(Frame1),
                backColor(Frame2), backColor(Command1),   backColor(Command2)};
    }
    // What those colours look like on screen.
    QList<QColor> shown() const
    {
        auto fore = [](const QWidget *w) { return w->palette().color(w->foregroundRole()); };
        auto back = [](const QWidget *w) { return w->palette().color(w->backgroundRole()); };
        return {fore(Label1), back(Label1), fore(Label2),   back(Label2),  back(form.get()),
                back(Frame1), back(Frame2), back(Command1), back(Command2)};
    }
};

QPalette system()
{
    return QApplication::palette();
}

} // namespace

class TestAppearance : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void toggleAlternates_data();
    void toggleAlternates();
    void chosenColourPaintsTheClockArea_data();
    void chosenColourPaintsTheClockArea();
    void toggleAfterChosenColour();
    void cancelChangesNoColour_data();
    void cancelChangesNoColour();

    // The whole window.
    void surfaceAsDrawn_data();
    void surfaceAsDrawn();
    void surfaceClick_data();
    void surfaceClick();
    void surfaceClickWithAToolOpen();
    void chosenColourStaysInTheClockArea();
    void normalLookFollowsThePalette();
};

void TestAppearance::toggleAlternates_data()
{
    QTest::addColumn<int>("clicks");
    QTest::addColumn<bool>("dark");
    QTest::newRow("first click: dark") << 1 << true;
    QTest::newRow("second click: normal") << 2 << false;
    QTest::newRow("third click: dark") << 3 << true;
    QTest::newRow("fourth click: normal") << 4 << false;
    QTest::newRow("ninth click: dark") << 9 << true;
}

void TestAppearance::toggleAlternates()
{
    QFETCH(int, clicks);
    QFETCH(bool, dark);

    Fixture f;
    for (int i = 0; i < clicks; ++i)
        f.appearance.Command2_Click();

    // Label1 fore/back, Label2 fore/back, Form1, Frame1, Frame2, Command1, Command2.
    if (dark) {
        QCOMPARE(f.colours(),
                 QList<ColorValue>({white, black, white, black, black, black, black, face, black}));
        const QColor b(Qt::black), w(Qt::white), bf = system().color(QPalette::Button);
        QCOMPARE(f.shown(), QList<QColor>({w, b, w, b, b, b, b, bf, b}));
    } else {
        QCOMPARE(
            f.colours(),
            QList<ColorValue>({buttonText, face, buttonText, face, face, face, face, face, face}));
        const QColor t = system().color(QPalette::ButtonText),
                     bf = system().color(QPalette::Button);
        QCOMPARE(f.shown(), QList<QColor>({t, bf, t, bf, bf, bf, bf, bf, bf}));
    }
    QCOMPARE(f.Command1->isHidden(), dark);
    QCOMPARE(f.Command1->isEnabled(), !dark);
    // The toggle is no way to the menu: the menu bar and the toggle itself stay as they were.
    QVERIFY(f.Picture1->isHidden());
    QVERIFY(f.Command2->isEnabled());
    QVERIFY(f.chooser.initials.isEmpty());
}

void TestAppearance::chosenColourPaintsTheClockArea_data()
{
    QTest::addColumn<QColor>("chosen");
    QTest::addColumn<ColorValue>("value");
    QTest::newRow("red") << QColor(255, 0, 0) << ColorValue(0x000000FF);
    QTest::newRow("blue") << QColor(0, 0, 255) << ColorValue(0x00FF0000);
    QTest::newRow("mixed") << QColor(0x12, 0x34, 0x56) << ColorValue(0x00563412);
    // A translucent colour must not turn into a system-colour reference through its alpha.
    QTest::newRow("translucent") << QColor(10, 20, 30, 200) << ColorValue(0x001E140A);
    QTest::newRow("black") << QColor(0, 0, 0) << ColorValue(0x00000000);
}

void TestAppearance::chosenColourPaintsTheClockArea()
{
    QFETCH(QColor, chosen);
    QFETCH(ColorValue, value);

    Fixture f;
    // As when the menu is open: the menu bar shown, the toggle disabled.
    f.Picture1->show();
    f.Command2->setEnabled(false);
    f.chooser.answer = chosen;

    f.appearance.Form_Click();

    QCOMPARE(f.chooser.initials, QList<QColor>({system().color(QPalette::Button)}));
    // The text colours stay; every background and the toggle take the chosen colour, Command1
    // keeps its own.
    QCOMPARE(f.colours(),
             QList<ColorValue>(
                 {buttonText, value, buttonText, value, value, value, value, face, value}));
    const QColor c(chosen.red(), chosen.green(), chosen.blue());
    QCOMPARE(f.Label1->palette().color(f.Label1->backgroundRole()), c);
    QCOMPARE(f.form->palette().color(f.form->backgroundRole()), c);
    QVERIFY(f.Picture1->isHidden());
    QVERIFY(f.Command1->isHidden());
    QVERIFY(f.Command1->isEnabled());
    QVERIFY(f.Command2->isEnabled());
}

void TestAppearance::toggleAfterChosenColour()
{
    Fixture f;
    f.chooser.answer = QColor(0, 128, 0);
    f.appearance.Form_Click();

    f.appearance.Command2_Click();
    QCOMPARE(f.colours(),
             QList<ColorValue>({white, black, white, black, black, black, black, face, black}));
    QVERIFY(f.Command1->isHidden());

    f.appearance.Command2_Click();
    QCOMPARE(f.colours(),
             QList<ColorValue>({buttonText, face, buttonText, face, face, face, face, face, face}));
    QVERIFY(!f.Command1->isHidden());
    QVERIFY(f.Command1->isEnabled());

    // A colour chosen in the dark look keeps the white text, so the next toggle goes back.
    f.appearance.Command2_Click();
    f.appearance.Form_Click();
    QCOMPARE(foreColor(f.Label1), white);
    QCOMPARE(backColor(f.Label1), ColorValue(0x00008000));
    f.appearance.Command2_Click();
    QCOMPARE(foreColor(f.Label1), buttonText);
    QCOMPARE(backColor(f.Frame2), face);
}

void TestAppearance::cancelChangesNoColour_data()
{
    QTest::addColumn<int>("toggles"); // Command2 clicks before
    QTest::addColumn<QColor>("chosenFirst"); // a colour chosen before, if valid
    QTest::addColumn<QColor>("initial"); // what the chooser starts at

    const QColor faceColour = system().color(QPalette::Button);
    QTest::newRow("normal look") << 0 << QColor() << faceColour;
    QTest::newRow("dark look") << 1 << QColor() << QColor(Qt::black);
    QTest::newRow("back to normal") << 2 << QColor() << faceColour;
    QTest::newRow("a chosen colour") << 0 << QColor(200, 100, 50) << QColor(200, 100, 50);
    QTest::newRow("dark, then a chosen colour") << 1 << QColor(1, 2, 3) << QColor(1, 2, 3);
}

void TestAppearance::cancelChangesNoColour()
{
    QFETCH(int, toggles);
    QFETCH(QColor, chosenFirst);
    QFETCH(QColor, initial);

    Fixture f;
    for (int i = 0; i < toggles; ++i)
        f.appearance.Command2_Click();
    if (chosenFirst.isValid()) {
        f.chooser.answer = chosenFirst;
        f.appearance.Form_Click();
    }
    const QList<ColorValue> before = f.colours();
    const QList<QColor> shownBefore = f.shown();
    f.Picture1->show();
    f.Command1->show();

    f.chooser.answer.reset();
    f.appearance.Form_Click();

    QCOMPARE(f.chooser.initials.last(), initial);
    QCOMPARE(f.colours(), before);
    QCOMPARE(f.shown(), shownBefore);
    // Apart from the colours the click does what it always does.
    QVERIFY(f.Picture1->isHidden());
    QVERIFY(f.Command1->isHidden());
    QVERIFY(f.Command2->isEnabled());
}

namespace {

void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

// Sets the application palette for the life of the object (widgets hear of it a moment later).
struct PaletteChange
{
    QPalette saved = QApplication::palette();
    explicit PaletteChange(const QPalette &p) { QApplication::setPalette(p); }
    ~PaletteChange() { QApplication::setPalette(saved); }
};

} // namespace

void TestAppearance::surfaceAsDrawn_data()
{
    QTest::addColumn<int>("toggles");
    QTest::addColumn<QColor>("chosen"); // chosen by a click on the window first, if valid
    QTest::addColumn<QColor>("drawn"); // invalid: the desktop's button face

    QTest::newRow("at start") << 0 << QColor() << QColor();
    QTest::newRow("dark look") << 1 << QColor() << QColor(Qt::black);
    QTest::newRow("normal look again") << 2 << QColor() << QColor();
    QTest::newRow("a chosen colour") << 0 << QColor(32, 96, 192) << QColor(32, 96, 192);
    QTest::newRow("a chosen colour, then dark") << 1 << QColor(32, 96, 192) << QColor(Qt::black);
}

void TestAppearance::surfaceAsDrawn()
{
    QFETCH(int, toggles);
    QFETCH(QColor, chosen);
    QFETCH(QColor, drawn);
    if (!drawn.isValid())
        drawn = QApplication::palette().color(QPalette::Button);

    Window w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    if (chosen.isValid()) {
        w.colours.answer = chosen;
        QTest::mouseClick(w.form.get(), Qt::LeftButton, {}, QPoint(3, 3));
    }
    for (int i = 0; i < toggles; ++i)
        click(w->Command2);

    // The bare surface around the frames and between the buttons. (The frames shade their
    // inside in the style's own way.)
    const QImage image = w->grab().toImage();
    for (const QPoint p : {QPoint(3, 3), QPoint(467, 60), QPoint(100, 203), QPoint(404, 172)})
        QCOMPARE(image.pixelColor(p), drawn);
}

void TestAppearance::surfaceClick_data()
{
    QTest::addColumn<QString>("before"); // what the user did first
    QTest::addColumn<QPoint>("at"); // where the click lands, window pixels
    QTest::addColumn<bool>("chooser"); // whether it is a click on the window itself

    QTest::newRow("top-left corner") << "" << QPoint(3, 3) << true;
    QTest::newRow("between the two buttons") << "" << QPoint(404, 172) << true;
    QTest::newRow("right of the time frame") << "" << QPoint(467, 60) << true;
    QTest::newRow("below the date frame") << "" << QPoint(100, 203) << true;
    QTest::newRow("on the time") << "" << QPoint(200, 60) << false;
    QTest::newRow("on the time frame's border") << "" << QPoint(12, 70) << false;
    QTest::newRow("on the bulb") << "" << QPoint(436, 172) << false;
    QTest::newRow("on the toggle") << "" << QPoint(372, 172) << false;
    QTest::newRow("on the open menu bar") << "menu" << QPoint(100, 200) << false;
    QTest::newRow("on the bare calculator panel") << "calculator" << QPoint(20, 68) << false;
    QTest::newRow("where the bulb was, dark look") << "dark" << QPoint(436, 172) << true;
}

void TestAppearance::surfaceClick()
{
    QFETCH(QString, before);
    QFETCH(QPoint, at);
    QFETCH(bool, chooser);

    Window w;
    ModalWatchdog watchdog;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    if (before == QLatin1String("menu") || before == QLatin1String("calculator"))
        click(w->Command1);
    if (before == QLatin1String("calculator"))
        click(w->Command7);
    if (before == QLatin1String("dark"))
        click(w->Command2);
    w.colours.answer = QColor(255, 0, 0);

    QTest::mouseClick(w.form.get(), Qt::LeftButton, {}, at);

    QCOMPARE(w.colours.initials.size(), chooser ? 1 : 0);
    QCOMPARE(backColor(w.form.get()) == ColorValue(0x000000FF), chooser);
    QCOMPARE(watchdog.takeClosed(), QStringList());
}

void TestAppearance::surfaceClickWithAToolOpen()
{
    Window w;
    ModalWatchdog watchdog;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    click(w->Command1);
    click(w->Command7); // the calculator
    QVERIFY(w->Picture5->isVisible());
    QVERIFY(!w->Command2->isEnabled());

    w.colours.answer = QColor(0, 0, 128);
    QTest::mouseClick(w.form.get(), Qt::LeftButton, {}, QPoint(3, 3));

    QVERIFY(w->Picture1->isHidden());
    QVERIFY(w->Command1->isHidden());
    QVERIFY(w->Command2->isEnabled());
    QVERIFY(w->Picture5->isVisible()); // the tool stays open, and its button is out of reach
    QVERIFY(!w->Command7->isVisible());

    // The way back: the toggle twice, then the bulb, then the tool's own button.
    click(w->Command2);
    QVERIFY(w->Command1->isHidden());
    click(w->Command2);
    QVERIFY(w->Command1->isVisible());
    QVERIFY(w->Command1->isEnabled());
    click(w->Command1);
    QVERIFY(w->Picture1->isVisible());
    QVERIFY(w->Command7->isVisible());
    QVERIFY(w->Command7->isEnabled());
    click(w->Command7);
    QVERIFY(!w->Picture5->isVisible());
    for (QPushButton *b : {w->Command3, w->Command4, w->Command5, w->Command6, w->Command20,
                           w->Command22, w->Command1})
        QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
    QCOMPARE(watchdog.takeClosed(), QStringList());
}

void TestAppearance::chosenColourStaysInTheClockArea()
{
    Window w;
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    // What every control of the tool panels paints with, role by role.
    const QList<QPalette::ColorRole> roles
        = {QPalette::Window, QPalette::WindowText, QPalette::Button,   QPalette::ButtonText,
           QPalette::Base,   QPalette::Text,       QPalette::Light,    QPalette::Dark,
           QPalette::Mid,    QPalette::Shadow,     QPalette::Highlight};
    QList<QWidget *> tools;
    for (QWidget *panel : {w->Picture1, w->Picture2, w->Picture5, w->Picture8}) {
        tools.append(panel);
        tools.append(panel->findChildren<QWidget *>());
    }
    auto colours = [&] {
        QList<QColor> out;
        for (const QWidget *t : tools)
            for (auto role : roles)
                out.append(t->palette().color(QPalette::Active, role));
        return out;
    };
    // The menu bar as it looks, drawn off the screen; pixels compared in one format.
    auto menu = [&] { return w->Picture1->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    const QList<QColor> before = colours();
    menu(); // the first drawing still lays the buttons out
    const QImage menuBefore = menu();

    w.colours.answer = QColor(255, 0, 255);
    QTest::mouseClick(w.form.get(), Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(backColor(w.form.get()), ColorValue(0x00FF00FF));
    QCOMPARE(colours(), before);
    QVERIFY(menu() == menuBefore);

    click(w->Command2); // and the dark look
    QCOMPARE(backColor(w.form.get()), ColorValue(0x00000000));
    QCOMPARE(colours(), before);
    QVERIFY(menu() == menuBefore);
}

void TestAppearance::normalLookFollowsThePalette()
{
    Window w;
    click(w->Command2);
    click(w->Command2);

    QPalette p = QApplication::palette();
    p.setColor(QPalette::Button, QColor(20, 160, 40));
    p.setColor(QPalette::ButtonText, QColor(150, 10, 10));
    {
        PaletteChange change(p);
        QTRY_COMPARE(w->Label1->palette().color(w->Label1->backgroundRole()), QColor(20, 160, 40));
        QTRY_COMPARE(w->Label1->palette().color(w->Label1->foregroundRole()), QColor(150, 10, 10));
        QTRY_COMPARE(w->Frame2->palette().color(w->Frame2->backgroundRole()), QColor(20, 160, 40));
    }
    // The dark look is direct colours: a palette change leaves it black and white.
    click(w->Command2);
    {
        PaletteChange change(p);
        // Command1 keeps a reference in the dark look: once it shows the new face, all have heard.
        QTRY_COMPARE(w->Command1->palette().color(w->Command1->backgroundRole()),
                     QColor(20, 160, 40));
        QCOMPARE(w->Label1->palette().color(w->Label1->backgroundRole()), QColor(Qt::black));
        QCOMPARE(w->Label1->palette().color(w->Label1->foregroundRole()), QColor(Qt::white));
    }
}

QTEST_MAIN(TestAppearance)
#include "tst_appearance.moc"
