// The wiring table: which control event runs which handler. These 44 procedures are the whole of
// the program's behaviour; every other event of every control is left to the control itself.

#include "about/about.h"
#include "app/appearance.h"
#include "app/form1.h"
#include "app/keyboard.h"
#include "app/navigation.h"
#include "calculator/calculator.h"
#include "clock/calendar.h"
#include "clock/prompts.h"
#include "codes/codes.h"
#include "controls/combopicks.h"
#include "controls/firstshow.h"
#include "conversions/conversions.h"
#include "player/drivelist.h"
#include "player/filelist.h"
#include "player/folderlist.h"
#include "player/player.h"
#include "translator/translator.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

namespace tesmora {

void Form1::makeControllers(const DesktopPorts &ports)
{
    // Each tool finds the controls it uses by their names.
    navigation = std::make_unique<Navigation>(NavigationControls {this});
    clockTick = std::make_unique<ClockTick>(ClockTickControls {this}, ports.clock);
    appearance = std::make_unique<Appearance>(AppearanceControls {this}, ports.colors);
    clockPrompts = std::make_unique<ClockPrompts>(ClockPromptControls {this}, ports.prompts);
    calendar = std::make_unique<Calendar>(CalendarControls {this});
    translator = std::make_unique<Translator>(TranslatorControls {this});
    codes = std::make_unique<Codes>(CodesControls {this});
    calculator = std::make_unique<Calculator>(CalculatorControls {this}, ports.clipboard);
    conversions = std::make_unique<Conversions>();
    about = std::make_unique<About>(AboutControls {this}, ports.browser, ports.prompts);
    player = std::make_unique<Player>(PlayerControls {this}, ports.prompts, ports.mediaEngines);
    // Escape closes the open tool; the focus follows a tool's panel as it opens and closes.
    toolKeys = new ToolKeys(this, Command1, Picture1,
                            {{Command22, Picture13},
                             {Command3, Picture12},
                             {Command4, Picture10},
                             {Command20, Picture6},
                             {Command5, Picture8},
                             {Command7, Picture5},
                             {Command6, Picture2}});
}

void Form1::Form_Load()
{
    setWindowTitle(productTitle());
    // The word list and the code lists are sorted by collation, which is costly to set up:
    // they are filled when their panels are first shown, not before the clock appears.
    whenFirstShown(Picture10, [this] { translator->fill(); });
    whenFirstShown(Picture13, [this] { codes->fill(); });
}

void Form1::Form_Click()
{
    appearance->Form_Click();
}

void Form1::wire()
{
    auto clicked = [this](QPushButton *button, auto *controller, auto handler) {
        connect(button, &QPushButton::clicked, wiring,
                [controller, handler] { (controller->*handler)(); });
    };

    // Form_Load: run by main() before the window is shown. Form_Click: Form1::mouseReleaseEvent.

    // Navigation. A tool button's click opens or closes its panel, then the keyboard's focus
    // moves into the panel opened or back to the button.
    auto tool = [this](QPushButton *button, void (Navigation::*handler)()) {
        connect(button, &QPushButton::clicked, wiring, [this, button, handler] {
            (navigation.get()->*handler)();
            toolKeys->afterClick(button);
        });
    };
    clicked(Command1, navigation.get(), &Navigation::Command1_Click);
    tool(Command3, &Navigation::Command3_Click);
    tool(Command4, &Navigation::Command4_Click);
    tool(Command5, &Navigation::Command5_Click);
    tool(Command6, &Navigation::Command6_Click);
    tool(Command7, &Navigation::Command7_Click);
    tool(Command20, &Navigation::Command20_Click);
    tool(Command22, &Navigation::Command22_Click);

    // Appearance.
    clicked(Command2, appearance.get(), &Appearance::Command2_Click);

    // Clock, timer and stopwatch prompts, calendar.
    connect(Timer1, &QTimer::timeout, wiring, [this] { clockTick->Timer1_Timer(); });
    connect(Label1, &Label::clicked, wiring, [this] { clockPrompts->Label1_Click(); });
    connect(Label2, &Label::clicked, wiring, [this] { clockPrompts->Label2_Click(); });
    connect(MonthView1, &QCalendarWidget::clicked, wiring,
            [this](QDate date) { calendar->MonthView1_DateClick(date); });

    // Translator.
    // A selection by mouse or keys changes the selection; a click on the entry already selected
    // (after typing over the translation) looks it up again.
    connect(List1, &QListWidget::itemSelectionChanged, wiring,
            [this] { translator->List1_Click(); });
    connect(List1, &QListWidget::itemClicked, wiring, [this] { translator->List1_Click(); });
    connect(Text6, &QLineEdit::textChanged, wiring, [this] { translator->Text6_Change(); });

    // Codes.
    // Picks from the lists only: activated() also fires for text typed into the field.
    connect(new ComboPicks(Combo1), &ComboPicks::picked, wiring, [this] { codes->Combo1_Click(); });
    connect(new ComboPicks(Combo2), &ComboPicks::picked, wiring, [this] { codes->Combo2_Click(); });
    connect(new ComboPicks(Combo3), &ComboPicks::picked, wiring, [this] { codes->Combo3_Click(); });

    // Calculator.
    clicked(Command12, calculator.get(), &Calculator::Command12_Click);
    clicked(Command13, calculator.get(), &Calculator::Command13_Click);
    clicked(Command14, calculator.get(), &Calculator::Command14_Click);
    clicked(Command15, calculator.get(), &Calculator::Command15_Click);
    clicked(Command16, calculator.get(), &Calculator::Command16_Click);
    clicked(Command17, calculator.get(), &Calculator::Command17_Click);
    connect(Text1, &TextBox::mouseMoved, wiring,
            [this](const MouseMove &m) { calculator->Text1_MouseMove(m); });
    connect(Text2, &TextBox::mouseMoved, wiring,
            [this](const MouseMove &m) { calculator->Text2_MouseMove(m); });

    // Conversions: wired, and they do nothing.
    clicked(Command8, conversions.get(), &Conversions::Command8_Click);
    clicked(Command18, conversions.get(), &Conversions::Command18_Click);
    clicked(Command19, conversions.get(), &Conversions::Command19_Click);
    clicked(Command21, conversions.get(), &Conversions::Command21_Click);

    // Music player.
    clicked(Command9, player.get(), &Player::Command9_Click);
    clicked(Command10, player.get(), &Player::Command10_Click);
    clicked(Command11, player.get(), &Player::Command11_Click);
    connect(Drive1, &DriveList::driveChanged, wiring, [this] { player->Drive1_Change(); });
    connect(Dir1, &FolderList::pathChanged, wiring, [this] { player->Dir1_Change(); });
    // Not a procedure of its own in the original design: a folder the user opens that cannot
    // be listed is told, and the lists keep what they showed.
    connect(Dir1, &FolderList::folderUnreadable, wiring,
            [this](const QString &folder) { player->Dir1_ReadError(folder); });
    connect(File1, &FileList::clicked, wiring, [this] { player->File1_Click(); });
    connect(Slider1, &QSlider::valueChanged, wiring, [this] { player->Slider1_Change(); });

    // About.
    connect(Label5, &Label::clicked, wiring, [this] { about->Label5_Click(); });
    connect(Picture7, &Label::clicked, wiring, [this] { about->Picture7_Click(); });
    connect(Label5, &Label::mouseMoved, wiring,
            [this](const MouseMove &m) { about->Label5_MouseMove(m); });
    connect(Picture6, &Panel::mouseMoved, wiring,
            [this](const MouseMove &m) { about->Picture6_MouseMove(m); });
    connect(Picture7, &Label::mouseMoved, wiring,
            [this](const MouseMove &m) { about->Picture7_MouseMove(m); });
}

} // namespace tesmora
