// The Qt platform the clock starts on, for the displays a session offers.

#include "app/platform.h"
#include "tests/support/testmain.h"

#include <QTest>

using namespace tesmora;

class TestPlatform : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void choice_data();
    void choice();
};

void TestPlatform::choice_data()
{
    QTest::addColumn<QByteArray>("qpaPlatform");
    QTest::addColumn<QByteArray>("waylandDisplay");
    QTest::addColumn<QByteArray>("x11Display");
    QTest::addColumn<QByteArray>("expected");

    // Wayland with XWayland: X11 first, for the minimised title; Wayland if XWayland fails.
    QTest::newRow("wayland and xwayland")
        << QByteArray() << QByteArray("wayland-0") << QByteArray(":0") << QByteArray("xcb;wayland");
    QTest::newRow("wayland only") << QByteArray() << QByteArray("wayland-1") << QByteArray()
                                  << QByteArray("wayland");
    QTest::newRow("x11 only") << QByteArray() << QByteArray() << QByteArray(":1")
                              << QByteArray("xcb");
    // What the user asked for stands, whatever the session offers.
    QTest::newRow("user chose wayland")
        << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":0") << QByteArray();
    QTest::newRow("user chose offscreen")
        << QByteArray("offscreen") << QByteArray() << QByteArray() << QByteArray();
    // Set but empty is not set, for Qt as for us.
    QTest::newRow("empty values") << QByteArray("") << QByteArray("") << QByteArray(":0")
                                  << QByteArray("xcb");
    QTest::newRow("no display") << QByteArray() << QByteArray() << QByteArray() << QByteArray();
}

void TestPlatform::choice()
{
    QFETCH(QByteArray, qpaPlatform);
    QFETCH(QByteArray, waylandDisplay);
    QFETCH(QByteArray, x11Display);
    QFETCH(QByteArray, expected);
    QCOMPARE(preferredPlatform({qpaPlatform, waylandDisplay, x11Display}), expected);
}

TESMORA_TEST(TestPlatform)
#include "tst_platform.moc"
