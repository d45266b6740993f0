// Start-up probe: shows a window, and at its first paint prints the monotonic clock and the
// peak memory, then quits. Built twice: with the main window, and with a bare window of the
// same size (and that window with one line of text), so tools/bench-startup.py can compare them.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPaintEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

#ifdef ALAMBIX_STARTUP_MAIN_WINDOW
#include "app/program.h"
#endif

namespace {
long peakMemoryKib() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            // Report once the paint has been handled.
            QTimer::singleShot(0, [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("painted %.6f\nmemory %ld\n", now.tv_sec + now.tv_nsec / 1e9,
                            peakMemoryKib());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_done = false;
};
} // namespace

int main(int argc, char** argv) {
#ifdef ALAMBIX_STARTUP_MAIN_WINDOW
    alambix::FontConfigLoader fonts;
#endif
    QApplication app(argc, argv);
    FirstPaint probe;
#ifdef ALAMBIX_STARTUP_MAIN_WINDOW
    // As the program starts: its name, style, French texts and font.
    alambix::configureApplication(app);
    fonts.wait();
    const std::unique_ptr<QWidget> main = alambix::createMainWindow();
    QWidget& window = *main;
#else
    QApplication::setStyle(QStringLiteral("Fusion"));
    QWidget window;
    window.resize(791, 572);
#ifdef ALAMBIX_STARTUP_TEXT_WINDOW
    // The same bare window with one line of text: what the font system alone costs.
    QLabel label(QStringLiteral("Alambix"), &window);
#endif
#endif
    window.installEventFilter(&probe);
    window.show();
    return app.exec();
}
