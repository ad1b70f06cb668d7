// A frame keeps its drawing between repaints: it must still look exactly like the group box the
// style draws, after its colours, size or state change.

#include "controls/controls.h"
#include "tests/support/pictures.h"
#include "tests/support/testmain.h"

#include <QGroupBox>
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
    QTest::newRow("checkable") << Change([](QGroupBox *b) { b->setCheckable(true); });
    QTest::newRow("titled") << Change([](QGroupBox *b) { b->setTitle(QStringLiteral("Time")); });
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
    for (QGroupBox *b : {static_cast<QGroupBox *>(&frame), &box})
        b->setGeometry(0, 0, 200, 120);
    auto image
        = [](QWidget &w) { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); };
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
