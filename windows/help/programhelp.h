#pragma once
// "&Aide" and "&Voir le cours": the teaching package's files with the desktop's viewer when it
// has one, else our own windows, one of each. F1 opens the help from every window of the
// program, modal dialogs included: the help then stands beside the dialog, usable while it is
// open, and stays once the dialog is closed.

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace alambix {

class HelpWindow;

class ProgramHelp : public QObject {
    Q_OBJECT
public:
    // `mainWindow` holds the help windows and the messages; `programFolder` the files.
    ProgramHelp(const QString& programFolder, QWidget* mainWindow);

    void openHelp();
    void openCourse();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Document;
    void open(const Document& document, QPointer<HelpWindow>& shown);

    QString m_programFolder;
    QWidget* m_main;
    QPointer<HelpWindow> m_help;
    QPointer<HelpWindow> m_course;
};

} // namespace alambix
