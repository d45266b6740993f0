#pragma once
// "Fiche de travail": the worksheet shown as it will print (a title, the drawing labelled with
// names or numbers, the legend's lines, the answer key, black and white), with its own print,
// copy and image save. Built when the user first opens it; nothing is kept between openings.

#include "drawing/picture.h"
#include "drawing/worksheetpage.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QRadioButton;

namespace alambix {

class SetupDocument;

class FicheTravail : public QDialog {
    Q_OBJECT
public:
    // Prints on `printer` when given (it must outlive the window), otherwise on the program's
    // printer. The set-up is the document's as it stands when the window opens.
    FicheTravail(const SetupDocument& document, QWidget* parent, QPrinter* printer = nullptr);
    ~FicheTravail() override;

    // The sheet as the controls ask for it.
    WorksheetOptions options() const;
    // The picture "Copier" and "Enregistrer l'image…" take: the sheet's drawing, labelled and
    // coloured as the sheet is, without the legend.
    PictureOptions picture() const;
    // Pages the preview shows.
    int previewPages() const;
    // What the last "Imprimer…" gave, when it printed or tried to.
    std::optional<PrintResult> printResult() const { return m_printResult; }

private:
    void buildControls();
    void showSheet();
    void print();
    void copy();
    void saveImage();

    SetupValues m_values;
    QString m_folder;
    QPrinter* m_printer;
    std::optional<PrintResult> m_printResult;

    QWidget* m_preview = nullptr;
    QCheckBox* m_titre = nullptr;
    QLineEdit* m_texteTitre = nullptr;
    QRadioButton* m_sansLegende = nullptr;
    QRadioButton* m_noms = nullptr;
    QRadioButton* m_numeros = nullptr;
    QCheckBox* m_corrige = nullptr;
    QCheckBox* m_noirBlanc = nullptr;
    QLabel* m_statut = nullptr;
};

} // namespace alambix
