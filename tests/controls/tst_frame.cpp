// A frame keeps its drawing between repaints: it must still look exactly like the group box the
// style draws, after its colours, size, state or style change, and so must a label on it, which
// draws the frame beneath itself.

#include "controls/controls.h"
#include "tests/support/pictures.h"
#include "tests/support/testmain.h"

#include <QApplication>
#include <QGroupBox>
#include <QStyleFactory>
#include <QTest>
#include <functional>

using namespace tesmora;
using namespace tesmora::testing;

class TestFrame : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void drawsAsAGroupBox_data();
    void drawsAsAGroupBox();
};

namespace {
QImage image(QWidget &w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

using Change = std::function<void(QGroupBox *)>;

} // namespace
Q_DECLARE_METATYPE(Change)

void TestFrame::drawsAsAGroupBox_data()
{
    QTest::addColumn<Change>("change");
    QTest::newRow("new colour") << Change([](QGroupBox *b) {
        QPalette p = b->palette();
        p.setColor(QPalette::Button, QColor(200, 30, 40));
        b->setPalette(p);
    });
    QTest::newRow("resized") << Change([](QGroupBox *b) { b->resize(260, 90); });
    QTest::newRow("disabled") << Change([](QGroupBox *b) { b->setEnabled(false); });
    QTest::newRow("new style") << Change([](QGroupBox *b) {
        QStyle *windows = QStyleFactory::create(QStringLiteral("Windows"));
        windows->setParent(qApp);
        b->setStyle(windows);
    });
}

void TestFrame::drawsAsAGroupBox()
{
    QFETCH(Change, change);
    QWidget host;
    Frame frame(&host);
    // The group box the frame stands for: the same background, the style's own drawing.
    QGroupBox box(&host);
    box.setAutoFillBackground(true);
    box.setBackgroundRole(QPalette::Button);
    // A label on the frame, without text: the frame must look the same through it.
    FittingLabel label(&frame);
    label.setGeometry(16, 16, 150, 80);
    QPalette colors = host.palette();
    colors.setColor(QPalette::Disabled, QPalette::Button, QColor(30, 90, 160));
    host.setPalette(colors);
    for (QGroupBox *b : {static_cast<QGroupBox *>(&frame), &box})
        b->setGeometry(0, 0, 200, 120);
    // Shown, as a hidden widget is sent its size again each time it is drawn.
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    auto alike = [&] {
        const int d = largestDifference(image(frame), image(box));
        QVERIFY2(d >= 0 && d <= 1, QByteArray::number(d));
    };
    const QImage before = image(frame);
    alike();
    change(&frame);
    change(&box);
    alike();
    // The change shows: the frame was drawn afresh.
    QVERIFY(largestDifference(image(frame), before) != 0);
}

TESMORA_TEST(TestFrame)
#include "tst_frame.moc"
