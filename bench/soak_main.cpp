// Soak run: random element clicks, set-up saves and loads, and calculator evaluations in one
// process, printing the resident memory at the start, every 10 000 steps and at the end.
//   bench-soak [STEPS] [SEED]      (100 000 steps by default)
#include "app/program.h"
#include "core/calculatorkeys.h"
#include "session/setupdocument.h"
#include "windows/files/chargemontage.h"
#include "windows/main/dessin_widget.h"
#include "windows/main/elementbutton.h"

#include <QApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>

namespace {
long residentKib() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const long steps = argc > 1 ? std::atol(argv[1]) : 100000;
    QRandomGenerator random(argc > 2 ? std::atoi(argv[2]) : 12);
    QTemporaryDir dir;
    std::unique_ptr<QWidget> main = alambix::createMainWindow(dir.path());
    main->show();
    alambix::SetupDocument& document = *alambix::mainWindowDocument(main.get());
    auto* dessin = main->findChild<alambix::DessinWidget*>();
    const auto buttons = main->findChildren<alambix::ElementButton*>();
    const QStringList keys = alambix::CalculatorKeys::keyNames();
    alambix::CalculatorKeys calculator;
    bool saved[8] = {};
    long counts[4] = {};

    std::printf("step 0 rss %ld KiB\n", residentKib());
    for (long step = 1; step <= steps; ++step) {
        const quint32 choice = random.bounded(100);
        const int slot = int(random.bounded(8));
        document.setPath(dir.filePath(QStringLiteral("soak-%1.C03").arg(slot)));
        if (choice < 70) {
            alambix::ElementButton* button = buttons.at(int(random.bounded(buttons.size())));
            QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
            ++counts[0];
        } else if (choice < 80) {
            if (!alambix::ecritmontage(document, main.get())) return 1;
            saved[slot] = true;
            ++counts[1];
        } else if (choice < 90) {
            // Only files saved before: a failed load would wait for its message to be closed.
            if (saved[slot] &&
                alambix::chargemontage(document, dessin) != alambix::SetupReadStatus::Ok)
                return 1;
            ++counts[2];
        } else {
            for (int k = int(random.bounded(12)); k >= 0; --k)
                calculator.press(keys.at(int(random.bounded(keys.size()))));
            calculator.press(QStringLiteral("EXE"));
            ++counts[3];
        }
        if (step % 100 == 0) QCoreApplication::processEvents();
        if (step % 10000 == 0 || step == steps)
            std::printf("step %ld rss %ld KiB\n", step, residentKib()), std::fflush(stdout);
    }
    std::printf("clicks %ld saves %ld loads %ld evaluations %ld\n", counts[0], counts[1], counts[2],
                counts[3]);
    return 0;
}
