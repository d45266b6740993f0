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

ExerciseMenu::ExerciseMenu(const ExerciseSession& session, QWidget* parent)
    : QMenu(QStringLiteral("optionexo"), parent), m_session(session) {
    setObjectName(QStringLiteral("optionexo"));
    for (const auto& item : exerciseItems) {
        QAction* action =
            item.caption ? addAction(QString::fromUtf8(item.caption)) : addSeparator();
        action->setObjectName(QString::fromLatin1(item.name));
    }
}

void ExerciseMenu::popupFor(const QPoint& where) {
    auto item = [this](const char* name) { return findChild<QAction*>(QString::fromLatin1(name)); };
    item("opencor")->setEnabled(m_session.exocorrige());
    item("Closexo")->setEnabled(m_session.isOpen());
    popup(where);
}

} // namespace alambix
