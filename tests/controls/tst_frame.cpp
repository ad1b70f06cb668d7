// A frame keeps its drawing between repaints: it must still look exactly like the group box the
// style draws, after its colours, size or state change.

#include "controls/controls.h"

#include <QGroupBox>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <functional>

using namespace tesmora;

class TestFrame : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void drawsAsAGroupBox_data();
    void drawsAsAGroupBox();
};

namespace {
using Change = std::function<void(QGroupBox *)>;

// The largest difference of one colour channel between two pictures of one size (-1: sizes
// differ). Blending a shaded edge in one step or in two may round one level apart.
int difference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return -1;
    int most = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q))});
        }
    return most;
}
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
        const int d = difference(image(frame), image(box));
        QVERIFY2(d >= 0 && d <= 1, QByteArray::number(d));
    };
    const QImage before = image(frame);
    alike();
    change(&frame);
    change(&box);
    alike();
    // The change shows: the frame was drawn afresh.
    QVERIFY(difference(image(frame), before) != 0);
}

QTEST_MAIN(TestFrame)
#include "tst_frame.moc"
