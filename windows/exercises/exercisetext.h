#pragma once
// The exercise menu's commands on the text panel `supertext`: save it as RTF, load an RTF text
// into it, print it, and give it back to the introduction.

class QPrinter;

namespace alambix {

struct ExerciseWorkspace;

// "Enregistrer le contenu de la fenêtre exercice": asks for an RTF file (and before replacing
// one), then writes the whole text. A failed write leaves the file that was there as it was and
// the text still counted as modified.
void saveExerciseText(const ExerciseWorkspace& workspace);

// "Retrouver un texte": after the discard question, loads an RTF file into the panel, editable,
// and shows "Texte: " + its path in `fich`. A file that cannot be read changes nothing.
void openExerciseText(const ExerciseWorkspace& workspace);

// "Imprimer le contenu de la fenêtre exercice": the printer dialog for `printer`, then the
// selection when there is one (unless the user asks for all of it), otherwise the whole text.
void printExerciseText(const ExerciseWorkspace& workspace, QPrinter& printer);

// "Fermer l'exercice": after the discard question, the introduction back in the panel and no
// exercise open. The set-up and the caption stay.
void closeExercise(const ExerciseWorkspace& workspace);

} // namespace alambix
