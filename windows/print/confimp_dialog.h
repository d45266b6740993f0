#pragma once
// `confimp`, the print dialog: printer, layout options, number of copies, and the print itself.

#include "drawing/printlayout.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QToolButton;

namespace alambix {

class SetupDocument;
class UpDownControl;

class Confimp : public QDialog {
    Q_OBJECT
public:
    // Prints on `printer` when given (it must outlive the dialog), otherwise on the program's
    // printer, which keeps the choice made with "&Imprimantes" for the rest of the session.
    // Without any printer "&OK" first asks for a PDF file to print into.
    // The dialog stands over `main`, the window that shows the document.
    Confimp(SetupDocument& document, QWidget* main, QPrinter* printer = nullptr);
    ~Confimp() override;

    QPrinter& printer() const { return *m_printer; }
    // The options as the controls show them.
    PrintOptions options() const;
    // What the last "&OK" gave. Without a usable printer the dialog says so and stays open; its
    // result code is Accepted only when the pages went out.
    std::optional<PrintResult> printResult() const { return m_printResult; }

    // The text `defaut` shows for a printer.
    static QString printerDescription(const QPrinter& printer);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void onLoad();
    void choosePrinter();
    void print();

    SetupDocument& m_document;
    QWidget* m_main;
    QPrinter* m_printer;
    std::optional<PrintResult> m_printResult;

    QLineEdit* m_defaut = nullptr;
    QGroupBox* m_frame1 = nullptr;
    QCheckBox* m_chec[4] = {};
    QLabel* m_label4 = nullptr;
    UpDownControl* m_upDown1 = nullptr;
    QToolButton* m_command1 = nullptr;
    QToolButton* m_command2 = nullptr;
    QToolButton* m_command3 = nullptr;
    QGroupBox* m_frame2 = nullptr;
    QCheckBox* m_titre = nullptr;
    QPushButton* m_fiche = nullptr;
};

} // namespace alambix
