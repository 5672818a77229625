// A window saved on one screen and shown on another.
#include <QRect>
#include <QTest>

#include "common/screen_placement.h"

class TScreenPlacementTest : public QObject {
    Q_OBJECT

private slots:
    void a_window_is_brought_whole_within_the_screen_data();
    void a_window_is_brought_whole_within_the_screen();
};

void TScreenPlacementTest::a_window_is_brought_whole_within_the_screen_data() {
    QTest::addColumn<QRect>("window");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("fitted");
    // A screen of 1024x768 whose panel takes the top 24 pixels.
    const QRect small(0, 24, 1024, 744);
    QTest::newRow("saved at 1280x800, shown at 1024x768")
        << QRect(40, 30, 1240, 740) << small << QRect(0, 28, 1024, 740);
    QTest::newRow("too tall and too wide")
        << QRect(0, 0, 1280, 800) << small << QRect(0, 24, 1024, 744);
    QTest::newRow("fits and keeps its place")
        << QRect(10, 40, 1000, 700) << small << QRect(10, 40, 1000, 700);
    QTest::newRow("fits but sticks out right and below")
        << QRect(500, 300, 800, 600) << small << QRect(224, 168, 800, 600);
    QTest::newRow("left of the screen and above its panel")
        << QRect(-300, 0, 800, 600) << small << QRect(0, 24, 800, 600);
    QTest::newRow("the second of two screens side by side")
        << QRect(0, 0, 1280, 800) << QRect(1024, 0, 1024, 768) << QRect(1024, 0, 1024, 768);
}

void TScreenPlacementTest::a_window_is_brought_whole_within_the_screen() {
    QFETCH(QRect, window);
    QFETCH(QRect, available);
    QFETCH(QRect, fitted);
    QCOMPARE(FitWithin(window, available), fitted);
}

QTEST_GUILESS_MAIN(TScreenPlacementTest)

#include "screen_placement_test.moc"
