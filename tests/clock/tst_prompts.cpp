#include "clock/prompts.h"
#include "tests/support/fakes.h"

#include <QTest>

using namespace tesmora;
using tesmora::testing::FakePrompts;
using tesmora::testing::Message;

class TestPrompts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void answers_data();
    void answers();
    void askAgainOnEveryClick();
};

namespace {
const QString question = QStringLiteral("How many minutes do you want to set?");
} // namespace

void TestPrompts::answers_data()
{
    QTest::addColumn<bool>("onDate"); // Label2 (stopwatch) instead of Label1 (timer)
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("wrong");

    struct Row
    {
        const char *name;
        bool cancel;
        const char *answer;
        bool wrong;
    };
    const Row rows[] = {
        {"cancel", true, "", false},    {"empty", false, "", true},  {"0", false, "0", false},
        {"5", false, "5", false},       {"90", false, "90", false},  {"1.5", false, "1.5", false},
        {"' 5 '", false, " 5 ", false}, {"-3", false, "-3", true},   {"+3", false, "+3", true},
        {".5", false, ".5", false},     {"abc", false, "abc", true}, {"5a", false, "5a", true},
        {"1e3", false, "1e3", true},
    };
    for (const bool onDate : {false, true}) {
        for (const Row &r : rows) {
            QTest::addRow("%s: %s", onDate ? "stopwatch" : "timer", r.name)
                << onDate << r.cancel << QString::fromLatin1(r.answer) << r.wrong;
        }
    }
}

void TestPrompts::answers()
{
    QFETCH(bool, onDate);
    QFETCH(bool, cancel);
    QFETCH(QString, answer);
    QFETCH(bool, wrong);

    Label time, date;
    time.setText(QStringLiteral("12:00:00"));
    date.setText(QStringLiteral("2024-05-17"));
    FakePrompts prompts;
    prompts.answers.push_back(cancel ? std::nullopt : std::optional<QString>(answer));
    ClockPrompts handlers({&time, &date}, prompts);

    if (onDate)
        handlers.Label2_Click();
    else
        handlers.Label1_Click();

    const QString title = onDate ? QStringLiteral("Stopwatch.") : QStringLiteral("Timer.");
    QCOMPARE(prompts.inputs, QList<Message>({{question, title}}));
    QList<Message> expected;
    if (wrong) {
        QVERIFY(!applicationTitle().isEmpty());
        expected.append({QStringLiteral("Wrong number"), applicationTitle()});
    }
    QCOMPARE(prompts.messages, expected);
    // Nothing else happens: the clock keeps what it showed.
    QCOMPARE(time.text(), QStringLiteral("12:00:00"));
    QCOMPARE(date.text(), QStringLiteral("2024-05-17"));
}

void TestPrompts::askAgainOnEveryClick()
{
    Label time, date;
    FakePrompts prompts;
    prompts.answers = {QStringLiteral("x"), QStringLiteral("3"), std::nullopt, QStringLiteral("")};
    ClockPrompts handlers({&time, &date}, prompts);

    handlers.Label1_Click();
    handlers.Label2_Click();
    handlers.Label1_Click();
    handlers.Label2_Click();

    QCOMPARE(prompts.inputs.size(), 4);
    QCOMPARE(prompts.inputs.at(2).title, QStringLiteral("Timer."));
    QCOMPARE(prompts.inputs.at(3).title, QStringLiteral("Stopwatch."));
    // "x" and the empty answer are refused; "3" and the cancel are not.
    QCOMPARE(prompts.messages.size(), 2);
}

QTEST_MAIN(TestPrompts)
#include "tst_prompts.moc"
