#include "exercises/exercisemenu.h"

#include "exercises/exercisesession.h"

namespace alambix {

namespace {
struct ItemInfo {
    const char* name;
    const char* caption; // a separator without one
};

const ItemInfo exerciseItems[] = {
    {"openexo", "Ouvrir un exercice (énoncé + configuration)"},
    {"opencor", "Voir la correction"},
    {"separ02", nullptr},
    {"savetexte", "Enregistrer le contenu de la fenêtre exercice"},
    {"opentexte", "Retrouver un texte"},
    {"imprimetexte", "Imprimer le contenu de la fenêtre exercice"},
    {"separ03", nullptr},
    {"Closexo", "Fermer l'exercice"},
};
} // namespace

ExerciseMenu::ExerciseMenu(const ExerciseWorkspace& workspace, QWidget* parent)
    : QMenu(QStringLiteral("optionexo"), parent), m_workspace(workspace) {
    setObjectName(QStringLiteral("optionexo"));
    for (const auto& item : exerciseItems) {
        QAction* action =
            item.caption ? addAction(QString::fromUtf8(item.caption)) : addSeparator();
        action->setObjectName(QString::fromLatin1(item.name));
    }
}

QAction* ExerciseMenu::item(const char* name) const {
    return findChild<QAction*>(QString::fromLatin1(name));
}

void ExerciseMenu::popupFor(const QPoint& where) {
    item("opencor")->setEnabled(m_workspace.session.exocorrige());
    item("Closexo")->setEnabled(m_workspace.session.isOpen());
    popup(where);
}

} // namespace alambix
