#pragma once
// `feuilleP`, the main window: element buttons, drawing, set-up name, hint line, command bar
// and the rich-text panel. Closing it ends the program.

#include "session/exercisesession.h"
#include "session/setupdocument.h"
#include "windows/common/twips.h"

#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <array>
#include <utility>
#include <vector>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTextEdit;
class QTimer;
class QToolButton;

namespace alambix {

class DessinWidget;
class ElementButton;
class ExerciseMenu;
class ProgramHelp;
class WindowScale;

class FeuilleP : public QWidget {
    Q_OBJECT
public:
    // `programFolder` holds the flag file, help and course; by default the executable's folder.
    explicit FeuilleP(const QString& programFolder = QString(), QWidget* parent = nullptr);
    ~FeuilleP() override;

    SetupDocument& document() { return m_document; }
    SetupModel& model() { return m_document.model(); }
    ExerciseSession& exercise() { return m_exercise; }
    DessinWidget* dessin() const { return m_dessin; }

    // `fondessin`: paints the drawing's gradient, makes it the background and redraws.
    void fondessin();
    // `nomontage`: writes the set-up's name into `Label1`, or leaves it empty and white.
    void nomontage();

    // The hint line `info`.
    QString hint() const;
    void setHint(const QString& text);

    // `ecritintro`: gives the text panel back to the introduction.
    void ecritintro();
    // "&Nouveau": switches every element off and forgets the set-up's file.
    void nouveau();
    // Loads the set-up file named on the command line, as the open dialog does: the same
    // messages when it is missing or not a set-up; then the window stays empty and unnamed.
    void openSetupFile(const QString& path);
    // Opens the exercise file named on the command line, as the exercise window does.
    void openExerciseFile(const QString& path);

    // Where the content stands in the client area: centred in a window larger than its page.
    QPoint contentOffset() const { return m_contentOffset; }
    // How many times its design size the content is shown: it grows with the window.
    qreal contentScale() const;

    bool isAnimating() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildCommandBar();
    void buildElementButtons();
    void buildRightPanel();
    // `desdes`'s view part, after every redraw: recolours the buttons, names the set-up and
    // runs the pump's water while the vacuum flask stands on the bench.
    void showSetup();
    void applySmallScreenRule();
    // The content at the window's size (feuillep_scale.cpp): `designed` places a control of the
    // design and keeps its place; `placed` gives a place of the design in the window.
    void designed(QWidget* widget, const QRect& design);
    QRect placed(const QRect& design) const;
    void placeContent();
    void applyScale(qreal scale);
    void placePathText();
    QPixmap exerciseTab(bool focused) const;
    bool askToClose();
    void unload();
    // "OUI" in the flag file, once: at the first paint, or a second after the start.
    void writeRunningFlag();
    void tickWater();
    void hintFor(QObject* area);
    void showExerciseMenu(bool fromKeyboard);
    void showExplanation(const QString& text, QObject* button);

    QString m_programFolder;
    SetupDocument m_document;
    ExerciseSession m_exercise;
    std::array<ElementButton*, ElementCount> m_check1{};
    DessinWidget* m_dessin = nullptr;
    QLabel* m_label1 = nullptr;
    QLabel* m_image2 = nullptr;
    QLabel* m_info = nullptr;
    QLabel* m_btexo = nullptr;
    QLineEdit* m_fich = nullptr;
    QTextEdit* m_supertext = nullptr;
    QLabel* m_robi = nullptr;
    QTimer* m_timer1 = nullptr;
    QMenu* m_menucop = nullptr;
    ExerciseMenu* m_optionexo = nullptr;
    ProgramHelp* m_help = nullptr;
    // The reason shown in the hint line after a click, and the button it stays on.
    QString m_explanation;
    QObject* m_explainedButton = nullptr;
    QRect m_infoDesign;
    bool m_unloaded = false;
    bool m_flagWritten = false;
    // The background of the last copy, kept for "Enregistrer l'image…".
    bool m_copyWithBackground = true;
    bool m_applyingScreenRule = false;
    QPoint m_contentOffset;
    WindowScale* m_scale = nullptr;
    std::vector<std::pair<QWidget*, QRect>> m_designed;
    std::vector<std::pair<QToolButton*, const char*>> m_commandIcons;
};

} // namespace alambix
