// Reading and writing numbers: the calculator's own rules, the same under any locale.
#include "core/numberformat.h"

#include <QLocale>
#include <QTest>

#include <cfloat>
#include <clocale>
#include <cmath>

using namespace alambix;

class NumberFormatTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // A French user: "," is the decimal separator of every locale-aware formatter.
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        if (!std::setlocale(LC_ALL, "fr_FR.UTF-8")) std::setlocale(LC_ALL, "de_DE.UTF-8");
    }

    void lirenombre_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("integer") << "42" << 42.0;
        QTest::newRow("stops at parenthesis") << "30)" << 30.0;
        QTest::newRow("comma is no separator") << "1,5" << 1.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("point alone") << "." << 0.0;
        QTest::newRow("blanks ignored") << " - 2 5 " << -25.0;
        QTest::newRow("plus sign") << "+.5" << 0.5;
        QTest::newRow("no leading zero") << "-.25" << -0.25;
        QTest::newRow("E exponent") << "1E3" << 1000.0;
        QTest::newRow("lower-case e") << "2.5e-2" << 0.025;
        QTest::newRow("D exponent") << "1D-2" << 0.01;
        QTest::newRow("lower-case d") << "3d+2" << 300.0;
        QTest::newRow("exponent without digits") << "5E" << 5.0;
        QTest::newRow("exponent sign without digits") << "5E+" << 5.0;
        QTest::newRow("second point stops") << "1.5.3" << 1.5;
        QTest::newRow("trailing garbage") << "1e+2x" << 100.0;
        QTest::newRow("underflow reads zero") << "1E-400" << 0.0;
        QTest::newRow("largest double") << "1.7976931348623157E308" << DBL_MAX;
        QTest::newRow("many digits") << "0.333333333333333333333" << 1.0 / 3;
        QTest::newRow("non-ASCII stops") << "12é3" << 12.0;
    }
    void lirenombre() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        const std::optional<double> value = alambix::lirenombre(text);
        QVERIFY(value.has_value());
        QCOMPARE(*value, expected);
    }

    void lirenombreOverflow_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("huge exponent") << "1E400";
        QTest::newRow("negative huge") << "-1E400";
        QTest::newRow("rounded maximum") << "1.79769313486232E+308";
        QTest::newRow("long digit run") << QString(400, QLatin1Char('9'));
        QTest::newRow("enormous exponent") << "1E999999999999999999";
    }
    void lirenombreOverflow() {
        QFETCH(QString, text);
        QVERIFY(!alambix::lirenombre(text).has_value());
    }

    void ecrirenombre_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << 0.0 << " 0";
        QTest::newRow("negative zero") << -0.0 << " 0";
        QTest::newRow("integer") << 14.0 << " 14";
        QTest::newRow("negative") << -8.0 << "-8";
        QTest::newRow("half") << 0.5 << " .5";
        QTest::newRow("negative quarter") << -0.25 << "-.25";
        QTest::newRow("1E-05") << 1e-5 << " 1E-05";
        QTest::newRow("lowest plain") << 1e-4 << " .0001";
        QTest::newRow("decimal") << 1234.5 << " 1234.5";
        QTest::newRow("15 digits plain") << 123456789012345.0 << " 123456789012345";
        QTest::newRow("exponent 14") << 1e14 << " 100000000000000";
        QTest::newRow("exponent 15") << 1e15 << " 1E+15";
        QTest::newRow("rounded to 15 digits") << 1234567890123456.0 << " 1.23456789012346E+15";
        QTest::newRow("third") << 1.0 / 3 << " .333333333333333";
        QTest::newRow("two thirds rounds up") << 2.0 / 3 << " .666666666666667";
        QTest::newRow("binary noise removed") << 0.1 + 0.2 << " .3";
        QTest::newRow("rounds up to a power of ten") << 999999999999999.9 << " 1E+15";
        QTest::newRow("three exponent digits") << 1e100 << " 1E+100";
        QTest::newRow("small negative") << -1.5e-7 << "-1.5E-07";
        QTest::newRow("largest double") << DBL_MAX << " 1.79769313486232E+308";
        QTest::newRow("smallest denormal") << 5e-324 << " 4.94065645841247E-324";
        QTest::newRow("pi") << 4 * std::atan(1.0) << " 3.14159265358979";
    }
    void ecrirenombre() {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(alambix::ecrirenombre(value), expected);
    }

    void scientific_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1234.5") << 1234.5 << "1.2345E+03";
        QTest::newRow("third") << 1.0 / 3 << "3.3333333E-01";
        QTest::newRow("zero") << 0.0 << "0E+00";
        QTest::newRow("one") << 1.0 << "1E+00";
        QTest::newRow("negative") << -2.5 << "-2.5E+00";
        QTest::newRow("rounded to 8 digits") << 123456789.0 << "1.2345679E+08";
        QTest::newRow("small") << 0.000123 << "1.23E-04";
        QTest::newRow("three exponent digits") << 1e100 << "1E+100";
        QTest::newRow("rounds up to ten") << 9.99999999 << "1E+01";
    }
    void scientific() {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(formatScientifique(value), expected);
    }

    void notFinite() {
        QVERIFY(alambix::ecrirenombre(HUGE_VAL).isEmpty());
        QVERIFY(formatScientifique(std::nan("")).isEmpty());
    }

    void roundTrip_data() {
        QTest::addColumn<double>("value");
        QTest::newRow("pi") << 4 * std::atan(1.0);
        QTest::newRow("tiny") << 1.234e-300;
        QTest::newRow("large") << -9.87654321e200;
        QTest::newRow("plain") << 0.0001234;
    }
    void roundTrip() {
        // Writing then reading keeps 15 significant digits.
        QFETCH(double, value);
        const std::optional<double> back = alambix::lirenombre(alambix::ecrirenombre(value));
        QVERIFY(back.has_value());
        QVERIFY(std::fabs(*back - value) <= std::fabs(value) * 1e-14);
    }
};

QTEST_GUILESS_MAIN(NumberFormatTest)
#include "numberformat_test.moc"
