// Which key releases in a scale box start a conversion.

#include "conversion/key_release.hpp"

#include <QTest>

namespace kestal {

class KeyReleaseTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void releases_data();
    void releases();
};

// A stroke is one event in a box: 'p' press, 'r' release, 'R' auto-repeat
// release, 'f' the box losing the focus; then the key.
void KeyReleaseTest::releases_data() {
    QTest::addColumn<QString>("strokes");
    QTest::addColumn<QString>("runs");  // '1' where a release starts a run

    QTest::newRow("typed key") << "pA rA"
                               << "1";
    QTest::newRow("two keys overlapping") << "pA pB rA rB"
                                          << "11";
    QTest::newRow("held key runs once, at its real release") << "pA RA pA RA pA rA"
                                                             << "001";
    QTest::newRow("release of a key pressed elsewhere (Tab)") << "rT"
                                                              << "0";
    QTest::newRow("Shift+Tab arriving from another box") << "rT rS"
                                                         << "00";
    QTest::newRow("released once only") << "pA rA rA"
                                        << "10";
    QTest::newRow("key still down when the focus left") << "pS f rS"
                                                        << "0";
    QTest::newRow("pressed again after coming back") << "pS f pS rS"
                                                     << "1";
}

void KeyReleaseTest::releases() {
    QFETCH(QString, strokes);
    QFETCH(QString, runs);
    KeyStrokes box;
    QString started;
    for (const QString& stroke : strokes.split(u' ')) {
        const int key = stroke.size() > 1 ? stroke[1].unicode() : 0;
        switch (stroke[0].unicode()) {
            case u'p':
                box.Pressed(key);
                break;
            case u'r':
            case u'R':
                started += box.Released(key, stroke[0] == u'R') ? u'1' : u'0';
                break;
            case u'f':
                box.FocusLeft();
                break;
        }
    }
    QCOMPARE(started, runs);
}

}  // namespace kestal

QTEST_APPLESS_MAIN(kestal::KeyReleaseTest)
#include "key_release_test.moc"
