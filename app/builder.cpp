#include "app/builder.h"

#include "app/inventory.h"
#include "controls/controls.h"
#include "controls/firstshow.h"
#include "controls/named.h"
#include "controls/picture.h"
#include "player/drivelist.h"
#include "player/filelist.h"
#include "player/folderlist.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>
#include <algorithm>
#include <vector>

namespace tesmora {

namespace {

QString utf8(const char *text)
{
    return text ? QString::fromUtf8(text) : QString();
}

Qt::Alignment alignmentOf(Align a)
{
    switch (a) {
    case Align::Centre:
        return Qt::AlignHCenter | Qt::AlignTop;
    case Align::Right:
        return Qt::AlignRight | Qt::AlignTop;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

QWidget *create(const ControlSpec &spec, QWidget *parent)
{
    switch (spec.kind) {
    case Kind::Panel:
        return new Panel(parent);
    case Kind::Frame:
        return new Frame(parent);
    case Kind::Label: {
        auto *label = spec.fit ? new FittingLabel(parent) : new Label(parent);
        label->setText(utf8(spec.text));
        label->setAlignment(alignmentOf(spec.align));
        label->setWordWrap(!spec.fit);
        return label;
    }
    case Kind::PictureBox: {
        auto *box = new Label(parent);
        box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (spec.border)
            box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return box;
    }
    case Kind::Image: {
        auto *image = new Label(parent);
        image->setScaledContents(true); // stretched to the control
        return image;
    }
    case Kind::TextBox:
        return new TextBox(parent);
    case Kind::Button:
        return new PushButton(utf8(spec.text), parent);
    case Kind::GraphicalButton:
        return new PushButton(QString(), parent);
    case Kind::ComboBox: {
        auto *combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->lineEdit()->setMaxLength(maxFieldLength);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCurrentIndex(-1);
        combo->setEditText(utf8(spec.text));
        return combo;
    }
    case Kind::ListBox:
        return new QListWidget(parent);
    case Kind::VScrollBar:
        return new QScrollBar(Qt::Vertical, parent);
    case Kind::MonthCalendar: {
        auto *calendar = new QCalendarWidget(parent);
        calendar->setMinimumSize(0, 0);
        calendar->setDateRange(QDate(1753, 1, 1), QDate(9999, 12, 31));
        calendar->setGridVisible(false);
        // The parts of the calendar that show only a picture say what they do.
        for (auto [part, name] : {std::pair {"qt_calendar_prevmonth", "Previous month"},
                                  std::pair {"qt_calendar_nextmonth", "Next month"},
                                  std::pair {"qt_calendar_calendarview", "Days of the month"}})
            if (auto *w = calendar->findChild<QWidget *>(QLatin1String(part)))
                w->setAccessibleName(QString::fromLatin1(name));
        return calendar;
    }
    case Kind::Slider: {
        auto *slider = new QSlider(Qt::Horizontal, parent);
        slider->setTickPosition(QSlider::TicksBelow);
        return slider;
    }
    case Kind::DriveList:
        return new DriveList(parent);
    case Kind::FolderList:
        return new FolderList(parent);
    case Kind::FileList:
        return new FileList(parent);
    case Kind::MediaPlayer:
        // The engine behind it is made on first use; the control itself shows nothing.
        return new QWidget(parent);
    case Kind::Window:
    case Kind::Line:
    case Kind::Timer:
    case Kind::CommonDialog:
        break;
    }
    return nullptr;
}

void applyCommon(const ControlSpec &spec, QWidget *w)
{
    w->setObjectName(QString::fromLatin1(spec.name));
    w->setGeometry(toPixels(spec.left), toPixels(spec.top), toPixels(spec.width),
                   toPixels(spec.height));
    w->setFont(fontOf(spec.font));
    if (spec.tooltip)
        w->setToolTip(utf8(spec.tooltip));
    // A label's name stays the text it shows, which is what a screen reader must read; what it
    // is for goes into its description.
    if (spec.spoken && spec.kind == Kind::Label)
        w->setAccessibleDescription(utf8(spec.spoken));
    else if (spec.spoken)
        w->setAccessibleName(utf8(spec.spoken));
    // A combo box reads as the text it shows; what it is for, a screen reader takes from the
    // label that names it. It has none on the screen, so it gets one that is never shown.
    if (auto *combo = qobject_cast<QComboBox *>(w); spec.spoken && combo) {
        auto *name = new QLabel(utf8(spec.spoken), w->parentWidget());
        name->setBuddy(combo);
        name->hide();
        if (combo->lineEdit())
            combo->lineEdit()->setAccessibleName(utf8(spec.spoken));
    }
    if (spec.picture)
        setPicture(w, imageResource(QString::fromLatin1(spec.picture)));
    if (spec.cursor) {
        // Only seen over a shown control; reading the picture loads image plugins.
        const QString cursor = imageResource(QString::fromLatin1(spec.cursor));
        whenFirstShown(w, [w, cursor] { w->setCursor(QCursor(QPixmap(cursor), 12, 1)); });
    }
    if (spec.fore)
        setForeColor(w, spec.fore);
    // Only what can be typed into or pressed takes the focus by the keyboard.
    if (spec.tab < 0 || qobject_cast<QLabel *>(w) || qobject_cast<Panel *>(w)
        || qobject_cast<Frame *>(w))
        w->setFocusPolicy(Qt::NoFocus);
    if (auto *label = qobject_cast<Label *>(w); label && spec.pressable && spec.tab >= 0)
        label->setPressable(true);
    w->setHidden(!spec.visible);
}

} // namespace

void registerFontSubstitutes()
{
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}

QFont fontOf(const FontSpec &spec)
{
    QFont font(QString::fromLatin1(spec.face));
    font.setPixelSize(qRound(spec.points * 96.0 / 72.0));
    font.setBold(spec.bold);
    return font;
}

void buildControls(QWidget *form)
{
    registerFontSubstitutes();
    QHash<QString, QWidget *> containers {{QStringLiteral("Form1"), form}};
    std::vector<std::pair<int, QWidget *>> focusOrder;

    std::vector<QWidget *> made;
    for (const ControlSpec &spec : inventory()) {
        QWidget *parent = containers.value(QString::fromLatin1(spec.container));
        if (!parent)
            throw MissingControl(std::string("the control \"") + spec.name + "\" is placed in \""
                                 + spec.container + "\", which is no container listed before it");
        if (spec.kind == Kind::Timer) {
            auto *timer = new QTimer(form);
            timer->setObjectName(QString::fromLatin1(spec.name));
            timer->setTimerType(Qt::PreciseTimer);
            timer->setInterval(500);
            continue;
        }
        if (spec.kind == Kind::CommonDialog)
            continue; // the desktop's colour dialog, shown by the window's appearance
        if (spec.kind == Kind::Line) {
            auto *line = new Line(QPoint(toPixels(spec.left), toPixels(spec.top)),
                                  QPoint(toPixels(spec.width), toPixels(spec.height)), 3, parent);
            line->setObjectName(QString::fromLatin1(spec.name));
            made.push_back(line);
            continue;
        }
        QWidget *w = create(spec, parent);
        applyCommon(spec, w);
        made.push_back(w);
        containers.insert(w->objectName(), w);
        if (spec.tab >= 0 && w->focusPolicy() != Qt::NoFocus)
            focusOrder.emplace_back(spec.tab, w);
    }
    // Each container's children are listed front to back: raising them from the back makes the
    // first one listed the front one. A line is drawn on its container, behind every control.
    for (auto it = made.rbegin(); it != made.rend(); ++it)
        (*it)->raise();
    for (QWidget *w : made)
        if (qobject_cast<Line *>(w))
            w->lower();

    std::sort(focusOrder.begin(), focusOrder.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    for (size_t i = 1; i < focusOrder.size(); ++i)
        QWidget::setTabOrder(focusOrder[i - 1].second, focusOrder[i].second);
}

} // namespace tesmora
