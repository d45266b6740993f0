#pragma once
// The program's main window for entry points outside app/ (the start-up probe, the soak run):
// they need a window to show, not the main window's interface.

#include <QString>
#include <QWidget>

#include <memory>
#include <thread>

class QApplication;

namespace alambix {

class SetupDocument;

// Reads the system's font configuration (fontconfig's rules and font list, a few milliseconds)
// on a second thread, so that it overlaps the connection to the display: made before the
// QApplication, waited for before the first window, whose first text would read it otherwise.
// It must also be done before the QApplication is destroyed (on every path out of main):
// Qt's font database frees that configuration when it goes.
class FontConfigLoader {
public:
    FontConfigLoader();
    ~FontConfigLoader();
    FontConfigLoader(const FontConfigLoader&) = delete;
    FontConfigLoader& operator=(const FontConfigLoader&) = delete;

    // Returns once the configuration is loaded; at once the second time.
    void wait();

private:
    std::thread m_thread;
};

// What every start of the program sets before its first window: the name, the style, Qt's
// texts in French and the window font as the font of everything (menus, message boxes, fields),
// so that one font serves the whole first window.
void configureApplication(QApplication& app);

// `programFolder` holds the flag file, help and course; by default the executable's folder.
std::unique_ptr<QWidget> createMainWindow(const QString& programFolder = QString());

// The set-up document a window made by createMainWindow shows; null for any other widget.
SetupDocument* mainWindowDocument(QWidget* window);

} // namespace alambix
