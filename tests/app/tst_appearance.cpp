// The two ways to recolour the clock area: the black-or-white button, and a colour chosen in the
// colour chooser that a click on the bare window opens.

#include "controls/colorvalue.h"
#include "tests/support/testmain.h"
#include "tests/support/watchdog.h"
#include "tests/support/window.h"

#include <QApplication>
#include <QColorDialog>
#include <QImage>
#include <QTest>
#include <optional>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

constexpr ColorValue black = 0x00000000;
constexpr ColorValue white = 0x00FFFFFF;
constexpr ColorValue face = 0x8000000F;
constexpr ColorValue buttonText = 0x80000012;

// Every colour the two ways touch: the time's and the date's text and background, the window,
// the date frame, the time frame, the menu button and the black-or-white button.
QList<ColorValue> clockColors(const Window &w)
{
    return {foreColor(w->Label1), backColor(w->Label1),    foreColor(w->Label2),
            backColor(w->Label2), backColor(w.form.get()), backColor(w->Frame1),
            backColor(w->Frame2), backColor(w->Command1),  backColor(w->Command2)};
}

// What those colours look like on screen.
QList<QColor> clockShown(const Window &w)
{
    auto fore = [](const QWidget *c) { return c->palette().color(c->foregroundRole()); };
    auto back = [](const QWidget *c) { return c->palette().color(c->backgroundRole()); };
    return {fore(w->Label1), back(w->Label1),    fore(w->Label2),
            back(w->Label2), back(w.form.get()), back(w->Frame1),
            back(w->Frame2), back(w->Command1),  back(w->Command2)};
}

void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

// A click on the bare surface of the window, in its top-left corner.
void clickSurface(Window &w)
{
    QTest::mouseClick(w.form.get(), Qt::LeftButton, {}, QPoint(3, 3));
}

// Sets the application palette for the life of the object (widgets hear of it a moment later).
struct PaletteChange
{
    QPalette saved = QApplication::palette();
    explicit PaletteChange(const QPalette &p) { QApplication::setPalette(p); }
    ~PaletteChange() { QApplication::setPalette(saved); }
};

} // namespace

class TestAppearance : public WatchedTest
{
    Q_OBJECT
private Q_SLOTS:
    void looks_data();
    void looks();
    void qtColorDialog();
    void surfaceClick_data();
    void surfaceClick();
    void surfaceClickWithAToolOpen();
    void chosenColorStaysInTheClockArea();
    void normalLookFollowsThePalette();
};

void TestAppearance::looks_data()
{
    // The steps: "toggle" (the black-or-white button), "menu" (the menu button), "cancel" (a
    // click on the window, and the chooser cancelled) or a colour chosen after such a click.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<ColorValue>("text"); // of both labels
    QTest::addColumn<ColorValue>("back"); // of all but the menu button, which keeps the face
    QTest::addColumn<bool>("bulbShown"); // the menu button
    QTest::addColumn<bool>("bulbEnabled");
    QTest::addColumn<QColor>("offered"); // what the chooser started at last

    const QColor faceColor = QApplication::palette().color(QPalette::Button);
    const QColor none, green(0, 128, 0);
    using L = QStringList;
    QTest::newRow("at start") << L {} << buttonText << face << true << true << none;
    QTest::newRow("dark") << L {"toggle"} << white << black << false << false << none;
    QTest::newRow("dark, normal") << L {"toggle", "toggle"} << buttonText << face << true << true
                                  << none;
    QTest::newRow("dark, normal, dark")
        << L {"toggle", "toggle", "toggle"} << white << black << false << false << none;
    // The chooser's colour, byte by byte; a translucent one must not turn into a system-colour
    // reference through its alpha.
    QTest::newRow("red, menu open") << L {"menu", "#ff0000"} << buttonText << ColorValue(0x0000FF)
                                    << false << true << faceColor;
    QTest::newRow("blue") << L {"#0000ff"} << buttonText << ColorValue(0xFF0000) << false << true
                          << faceColor;
    QTest::newRow("mixed") << L {"#123456"} << buttonText << ColorValue(0x563412) << false << true
                           << faceColor;
    QTest::newRow("translucent") << L {"#c80a141e"} << buttonText << ColorValue(0x1E140A) << false
                                 << true << faceColor;
    QTest::newRow("black") << L {"#000000"} << buttonText << black << false << true << faceColor;
    // The toggle goes on from a chosen colour, and back to the desktop's colours.
    QTest::newRow("green, dark") << L {"#008000", "toggle"} << white << black << false << false
                                 << faceColor;
    QTest::newRow("green, dark, normal")
        << L {"#008000", "toggle", "toggle"} << buttonText << face << true << true << faceColor;
    // A colour chosen in the dark look keeps the white text, so the next toggle goes back.
    QTest::newRow("dark, green") << L {"toggle", "#008000"} << white << ColorValue(0x008000)
                                 << false << false << QColor(Qt::black);
    QTest::newRow("dark, green, normal") << L {"toggle", "#008000", "toggle"} << buttonText << face
                                         << true << true << QColor(Qt::black);
    // A cancelled chooser changes no colour; the click does all else it always does.
    QTest::newRow("cancel") << L {"cancel"} << buttonText << face << false << true << faceColor;
    QTest::newRow("cancel, menu open")
        << L {"menu", "cancel"} << buttonText << face << false << true << faceColor;
    QTest::newRow("dark, cancel") << L {"toggle", "cancel"} << white << black << false << false
                                  << QColor(Qt::black);
    QTest::newRow("green, cancel")
        << L {"#008000", "cancel"} << buttonText << ColorValue(0x008000) << false << true << green;
    QTest::newRow("dark, green, cancel") << L {"toggle", "#008000", "cancel"} << white
                                         << ColorValue(0x008000) << false << false << green;
}

void TestAppearance::looks()
{
    QFETCH(QStringList, steps);
    QFETCH(ColorValue, text);
    QFETCH(ColorValue, back);
    QFETCH(bool, bulbShown);
    QFETCH(bool, bulbEnabled);
    QFETCH(QColor, offered);

    Window w;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    int chooserSteps = 0;
    for (const QString &step : steps) {
        if (step == u"toggle") {
            click(w->Command2);
        } else if (step == u"menu") {
            click(w->Command1);
            QVERIFY(w->Picture1->isVisible());
        } else {
            ++chooserSteps;
            w.colors.answer.reset();
            if (step != u"cancel")
                w.colors.answer = QColor::fromString(step);
            clickSurface(w);
        }
    }

    QCOMPARE(clockColors(w),
             QList<ColorValue>({text, back, text, back, back, back, back, face, back}));
    // What is painted is what the values say, under the desktop's palette.
    const QPalette p = QApplication::palette();
    const QColor t = resolveColor(text, p), b = resolveColor(back, p);
    QCOMPARE(clockShown(w), QList<QColor>({t, b, t, b, b, b, b, resolveColor(face, p), b}));
    // The bare surface around the frames and between the buttons. (The frames shade their
    // inside in the style's own way.)
    const QImage image = w->grab().toImage();
    for (const QPoint at : {QPoint(3, 3), QPoint(467, 60), QPoint(100, 203), QPoint(404, 172)})
        QCOMPARE(image.pixelColor(at), b);

    QCOMPARE(w->Command1->isVisible(), bulbShown);
    QCOMPARE(w->Command1->isEnabled(), bulbEnabled);
    // Neither way leads to the menu: it is closed, and the black-or-white button can be used.
    QVERIFY(w->Picture1->isHidden());
    QVERIFY(w->Command2->isEnabled());
    QCOMPARE(w.colors.initials.size(), chooserSteps);
    if (chooserSteps)
        QCOMPARE(w.colors.initials.last(), offered);
}

void TestAppearance::qtColorDialog()
{
    // Qt's own colour dialog: it starts at the window's colour, its colour is applied, and its
    // Cancel changes nothing.
    Window w(Ports {.colors = true});
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    QList<QRgb> offered;
    std::optional<QColor> pick;
    dialogs().setAnswer([&](QWidget *modal) {
        auto *dialog = qobject_cast<QColorDialog *>(modal);
        if (!dialog)
            return false;
        offered.append(dialog->currentColor().rgba());
        if (pick) {
            dialog->setCurrentColor(*pick);
            dialog->accept();
        } else {
            dialog->reject();
        }
        return true;
    });
    const QColor chosen(0x20, 0x60, 0xc0);
    pick = chosen;
    clickSurface(w);
    QCOMPARE(backColor(w.form.get()), ColorValue(0x00C06020));
    pick.reset();
    clickSurface(w);
    QCOMPARE(backColor(w.form.get()), ColorValue(0x00C06020));
    QCOMPARE(backColor(w->Frame2), ColorValue(0x00C06020));
    QCOMPARE(offered,
             QList<QRgb>({QApplication::palette().color(QPalette::Button).rgba(), chosen.rgba()}));
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
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
    if (before == QLatin1String("menu"))
        click(w->Command1);
    if (before == QLatin1String("calculator"))
        QVERIFY(w.openTool(w->Command7));
    if (before == QLatin1String("dark"))
        click(w->Command2);
    w.colors.answer = QColor(255, 0, 0);

    QTest::mouseClick(w.form.get(), Qt::LeftButton, {}, at);

    QCOMPARE(w.colors.initials.size(), chooser ? 1 : 0);
    QCOMPARE(backColor(w.form.get()) == ColorValue(0x000000FF), chooser);
}

void TestAppearance::surfaceClickWithAToolOpen()
{
    Window w;
    QVERIFY(w.openTool(w->Command7)); // the calculator
    QVERIFY(w->Picture5->isVisible());
    QVERIFY(!w->Command2->isEnabled());

    w.colors.answer = QColor(0, 0, 128);
    clickSurface(w);

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
}

void TestAppearance::chosenColorStaysInTheClockArea()
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
    auto colors = [&] {
        QList<QColor> out;
        for (const QWidget *t : tools)
            for (auto role : roles)
                out.append(t->palette().color(QPalette::Active, role));
        return out;
    };
    // The menu bar as it looks, drawn off the screen; pixels compared in one format.
    auto menu = [&] { return w->Picture1->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    const QList<QColor> before = colors();
    menu(); // the first drawing still lays the buttons out
    const QImage menuBefore = menu();

    w.colors.answer = QColor(255, 0, 255);
    clickSurface(w);
    QCOMPARE(backColor(w.form.get()), ColorValue(0x00FF00FF));
    QCOMPARE(colors(), before);
    QVERIFY(menu() == menuBefore);

    click(w->Command2); // and the dark look
    QCOMPARE(backColor(w.form.get()), ColorValue(0x00000000));
    QCOMPARE(colors(), before);
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

TESMORA_TEST(TestAppearance)
#include "tst_appearance.moc"
