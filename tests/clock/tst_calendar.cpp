#include "clock/calendar.h"
#include "tests/clock/calendargrid.h"

#include <QCalendarWidget>
#include <QTest>
#include <QToolButton>
#include <memory>

using namespace tesmora;
using namespace tesmora::testing;

namespace {

// A calendar as the window has it, with the handler on its mouse clicks.
struct Fixture
{
    std::unique_ptr<QCalendarWidget> MonthView1 = std::make_unique<QCalendarWidget>();
    Calendar handler {MonthView1.get()};

    Fixture()
    {
        MonthView1->setDateRange(QDate(1753, 1, 1), QDate(9999, 12, 31));
        MonthView1->resize(376, 158);
        QObject::connect(MonthView1.get(), &QCalendarWidget::clicked, MonthView1.get(),
                         [this](QDate d) { handler.MonthView1_DateClick(d); });
        MonthView1->show();
    }
};

} // namespace

class TestCalendar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void noTooltipAtStart();
    void clickShowsShortDate_data();
    void clickShowsShortDate();
    void nextClickReplaces();
    void turningPagesLeavesTooltip_data();
    void turningPagesLeavesTooltip();
    void dayBeforeRangeIsNoDateClick();
};

void TestCalendar::noTooltipAtStart()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowExposed(f.MonthView1.get()));
    QVERIFY(f.MonthView1->toolTip().isEmpty());
}

void TestCalendar::clickShowsShortDate_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("tooltip");

    QTest::newRow("C") << "C" << QDate(2024, 5, 17) << "2024-05-17";
    QTest::newRow("German") << "de_DE" << QDate(2024, 5, 17) << "17.05.24";
    QTest::newRow("US English") << "en_US" << QDate(2024, 5, 17) << "5/17/24";
    QTest::newRow("first month of the range") << "C" << QDate(1753, 1, 15) << "1753-01-15";
    QTest::newRow("last month of the range") << "C" << QDate(9999, 12, 21) << "9999-12-21";
}

void TestCalendar::clickShowsShortDate()
{
    QFETCH(QString, locale);
    QFETCH(QDate, date);
    QFETCH(QString, tooltip);

    QLocale::setDefault(QLocale(locale));
    Fixture f;
    QVERIFY(QTest::qWaitForWindowExposed(f.MonthView1.get()));
    QVERIFY(clickDay(f.MonthView1.get(), date));
    QCOMPARE(f.MonthView1->toolTip(), tooltip);
}

void TestCalendar::nextClickReplaces()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowExposed(f.MonthView1.get()));
    QVERIFY(clickDay(f.MonthView1.get(), QDate(2024, 5, 15)));
    QCOMPARE(f.MonthView1->toolTip(), QStringLiteral("2024-05-15"));
    QVERIFY(clickDay(f.MonthView1.get(), QDate(2023, 11, 20)));
    QCOMPARE(f.MonthView1->toolTip(), QStringLiteral("2023-11-20"));
}

void TestCalendar::turningPagesLeavesTooltip_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("months"); // how far the shown month moves

    QTest::newRow("next month button") << "qt_calendar_nextmonth" << 1;
    QTest::newRow("previous month button") << "qt_calendar_prevmonth" << -1;
    QTest::newRow("page down key") << "PageDown" << 1;
    QTest::newRow("page up key") << "PageUp" << -1;
    QTest::newRow("arrow key across the month's end") << "Down" << 1;
}

void TestCalendar::turningPagesLeavesTooltip()
{
    QFETCH(QString, how);
    QFETCH(int, months);

    Fixture f;
    QVERIFY(QTest::qWaitForWindowExposed(f.MonthView1.get()));
    // The 21st, so that a week down lands in the next month.
    QVERIFY(clickDay(f.MonthView1.get(), QDate(2024, 2, 21)));
    const QString before = f.MonthView1->toolTip();
    QCOMPARE(before, QStringLiteral("2024-02-21"));

    if (how.startsWith(QLatin1String("qt_calendar_"))) {
        auto *button = f.MonthView1->findChild<QToolButton *>(how);
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        const Qt::Key key = how == QLatin1String("PageDown") ? Qt::Key_PageDown
            : how == QLatin1String("PageUp")                 ? Qt::Key_PageUp
                                                             : Qt::Key_Down;
        calendarGrid(f.MonthView1.get())->setFocus();
        QTest::keyClick(calendarGrid(f.MonthView1.get()), key);
        if (how == QLatin1String("Down"))
            QTest::keyClick(calendarGrid(f.MonthView1.get()), key);
    }

    const QDate shown(f.MonthView1->yearShown(), f.MonthView1->monthShown(), 1);
    QCOMPARE(shown, QDate(2024, 2, 1).addMonths(months));
    QCOMPARE(f.MonthView1->toolTip(), before);
}

void TestCalendar::dayBeforeRangeIsNoDateClick()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowExposed(f.MonthView1.get()));
    f.MonthView1->setCurrentPage(1753, 1);
    const QDate selected = f.MonthView1->selectedDate();
    // The grid always starts with a day or more of the month before: December 1752 here.
    const QModelIndex first = firstDateCell(f.MonthView1.get());
    QVERIFY(first.data().toInt() >= 25);
    clickCell(f.MonthView1.get(), first);
    QVERIFY(f.MonthView1->toolTip().isEmpty());
    QCOMPARE(f.MonthView1->selectedDate(), selected);
}

QTEST_MAIN(TestCalendar)
#include "tst_calendar.moc"
