// The smallest Qt clock to hold Tesmora against: one label. "static" shows a fixed text;
// "free" ticks every 500 ms from whenever it started; "aligned" arms a precise single shot for
// each next half-second boundary of the wall clock (plus 1 ms) and shows that boundary's second.
// Minimised, it writes the time into its title instead, as Tesmora does.
#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("aligned");
    QLabel label(mode == QStringLiteral("static") ? QStringLiteral("12:00:00") : QString());
    label.setWindowTitle(QStringLiteral("minimal"));
    label.setFont(QFont(QStringLiteral("Liberation Sans"), 40));
    label.setFixedSize(320, 120);
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    const bool aligned = mode == QStringLiteral("aligned");
    timer.setSingleShot(aligned);
    qint64 next = (QDateTime::currentMSecsSinceEpoch() / 500 + 1) * 500;
    QObject::connect(&timer, &QTimer::timeout, &label, [&] {
        QDateTime t = QDateTime::currentDateTime();
        if (aligned) {
            t = QDateTime::fromMSecsSinceEpoch(next);
            next += 500;
            const qint64 now = QDateTime::currentMSecsSinceEpoch();
            if (next <= now)
                next = (now / 500 + 1) * 500;
            timer.start(int(next - now + 1));
        }
        if (label.windowState() & Qt::WindowMinimized)
            label.setWindowTitle(t.toString(QStringLiteral("HH:mm:ss (yyyy-MM-dd) ")));
        else
            label.setText(t.toString(QStringLiteral("HH:mm:ss")));
    });
    if (mode != QStringLiteral("static"))
        timer.start(aligned ? int(next - QDateTime::currentMSecsSinceEpoch() + 1) : 500);
    label.show();
    return app.exec();
}
