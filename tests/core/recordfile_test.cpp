// The record scheme shared by set-up, exercise and flag files.
#include "core/recordfile.h"
#include "support/files.h"

#include <QBuffer>
#include <QTest>

using namespace alambix;

namespace {
std::optional<QString> readFrom(const QByteArray& bytes, int number) {
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return readRecord(buffer, number);
}
} // namespace

class RecordFileTest : public QObject {
    Q_OBJECT
private slots:
    void everyByteReadsBackToItself();
    void encodes_data();
    void encodes();
    void reads_data();
    void reads();
    void writesFullRecordsAndZeroGap();
    void writeRefusesWithoutTouchingTheDevice_data();
    void writeRefusesWithoutTouchingTheDevice();
    void writeKeepsOtherRecords();
};

void RecordFileTest::everyByteReadsBackToItself() {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = fromWindows1252(all);
    QCOMPARE(text.size(), 256);
    const auto back = toWindows1252(text);
    QVERIFY(back);
    QCOMPARE(*back, all);
}

void RecordFileTest::encodes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("encodable");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QStringLiteral("ALAMBIXSCHEMA") << true
                           << QByteArray("ALAMBIXSCHEMA");
    QTest::newRow("ascii controls and DEL")
        << QStringLiteral("\t\x01\x7F") << true << QByteArray("\t\x01\x7F");
    QTest::newRow("latin accents") << QStringLiteral("Bécher à") << true
                                   << QByteArray("B\xE9"
                                                 "cher \xE0");
    QTest::newRow("euro and ligature")
        << QStringLiteral("€Œœ…") << true << QByteArray("\x80\x8C\x9C\x85");
    QTest::newRow("curly quotes and dashes")
        << QStringLiteral("‘’“”–—") << true << QByteArray("\x91\x92\x93\x94\x96\x97");
    QTest::newRow("C1 control left undefined")
        << QString(QChar(0x81)) << true << QByteArray("\x81");
    QTest::newRow("C1 control the code page reuses")
        << QString(QChar(0x80)) << false << QByteArray();
    QTest::newRow("outside the code page") << QStringLiteral("aĀb") << false << QByteArray();
    QTest::newRow("greek") << QStringLiteral("α") << false << QByteArray();
    QTest::newRow("surrogate pair") << QStringLiteral("x\U0001F600") << false << QByteArray();
    QTest::newRow("lone high surrogate") << QString(QChar(0xD900)) << false << QByteArray();
    QTest::newRow("lone low surrogate")
        << (QStringLiteral("a") + QChar(0xDC00)) << false << QByteArray();
}

void RecordFileTest::encodes() {
    QFETCH(QString, text);
    QFETCH(bool, encodable);
    QFETCH(QByteArray, bytes);
    const auto encoded = toWindows1252(text);
    QCOMPARE(encoded.has_value(), encodable);
    if (encodable) {
        QCOMPARE(*encoded, bytes);
        QCOMPARE(fromWindows1252(*encoded), text);
    }
}

void RecordFileTest::reads_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("text");
    const QByteArray two = record("premier") + record("second");
    QTest::newRow("first of two") << two << 1 << true << QStringLiteral("premier");
    QTest::newRow("second of two") << two << 2 << true << QStringLiteral("second");
    QTest::newRow("beyond the end") << two << 3 << true << QString();
    QTest::newRow("far beyond the end") << two << 100000 << true << QString();
    QTest::newRow("empty device") << QByteArray() << 1 << true << QString();
    QTest::newRow("number zero") << two << 0 << false << QString();
    QTest::newRow("negative number") << two << -1 << false << QString();
    QTest::newRow("ends right after the text")
        << record("premier") + record("fin", false) << 2 << true << QStringLiteral("fin");
    QTest::newRow("length cut by the end")
        << record("premier") + QByteArray("\x05") << 2 << true << QString();
    QTest::newRow("text cut by the end")
        << record(10, "abcd", false) << 1 << true << QStringLiteral("abcd");
    QTest::newRow("padding of any bytes")
        << record("abc", false) + QByteArray(123, '\xFF') + record("def") << 2 << true
        << QStringLiteral("def");
    QTest::newRow("empty text") << record("") << 1 << true << QString();
    QTest::newRow("126 bytes") << record(QByteArray(126, 'x')) << 1 << true
                               << QString(126, QLatin1Char('x'));
    QTest::newRow("length 127") << record(127, QByteArray(126, 'x')) << 1 << false << QString();
    QTest::newRow("length 65535") << record(65535, "x") << 1 << false << QString();
    QTest::newRow("length 256") << record(256, "x") << 1 << false << QString();
    QTest::newRow("bytes 0x80 to 0x9F") << record("\x80\x8A\x9F\x81") << 1 << true
                                        << QString::fromUtf16(u"\u20AC\u0160\u0178\u0081");
}

void RecordFileTest::reads() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, number);
    QFETCH(bool, ok);
    QFETCH(QString, text);
    const auto read = readFrom(bytes, number);
    QCOMPARE(read.has_value(), ok);
    if (ok) QCOMPARE(*read, text);
}

void RecordFileTest::writesFullRecordsAndZeroGap() {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadWrite);
    QVERIFY(writeRecord(buffer, 3, QStringLiteral("OUI")));
    QCOMPARE(data.size(), 3 * 128);
    QCOMPARE(data.left(256), QByteArray(256, '\0'));
    QCOMPARE(data.mid(256), record("OUI"));
    QCOMPARE(readFrom(data, 3), std::optional<QString>(QStringLiteral("OUI")));
}

void RecordFileTest::writeRefusesWithoutTouchingTheDevice_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("127 bytes") << 1 << QString(127, QLatin1Char('x'));
    QTest::newRow("unencodable character") << 1 << QStringLiteral("Ā");
    QTest::newRow("record zero") << 0 << QStringLiteral("x");
}

void RecordFileTest::writeRefusesWithoutTouchingTheDevice() {
    QFETCH(int, number);
    QFETCH(QString, text);
    QByteArray data = record("garde");
    const QByteArray before = data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadWrite);
    QVERIFY(!writeRecord(buffer, number, text));
    QCOMPARE(data, before);
    // 126 bytes is the most a record holds.
    QVERIFY(writeRecord(buffer, 1, QString(126, QLatin1Char('y'))));
}

void RecordFileTest::writeKeepsOtherRecords() {
    QByteArray data = record("un") + record("deux") + QByteArray(300, '\x55');
    const QByteArray before = data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadWrite);
    QVERIFY(writeRecord(buffer, 2, QStringLiteral("NON")));
    QCOMPARE(data.size(), before.size());
    QCOMPARE(data.left(128), before.left(128));
    QCOMPARE(data.mid(128, 128), record("NON"));
    QCOMPARE(data.mid(256), before.mid(256));

    QBuffer readOnly(&data);
    readOnly.open(QIODevice::ReadOnly);
    QVERIFY(!writeRecord(readOnly, 1, QStringLiteral("x")));
}

QTEST_GUILESS_MAIN(RecordFileTest)
#include "recordfile_test.moc"
