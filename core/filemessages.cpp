#include "core/filemessages.h"

namespace alambix {

FileMessage fileMessage(FileOutcome outcome) {
    switch (outcome) {
    case FileOutcome::NotASetupFile:
        return {QStringLiteral("Fichier non valide"),
                QStringLiteral("Ce fichier ne correspond pas à cette application")};
    case FileOutcome::ReadError:
        return {QStringLiteral("Erreur lors du chargement du fichier"),
                QStringLiteral("Lecture impossible sur disque")};
    case FileOutcome::BadPath:
        return {QStringLiteral("impossible d'ouvrir ce fichier"),
                QStringLiteral("Nom de fichier incorrect ou chemin non valide")};
    case FileOutcome::NoName:
        return {QStringLiteral("Enregistrement impossible"),
                QStringLiteral("Il faut donner un nom au fichier!")};
    case FileOutcome::AlreadyExists:
        return {QStringLiteral("Ce fichier existe déjà!"),
                QStringLiteral("Ecraser le fichier existant?")};
    case FileOutcome::WriteError:
        return {QStringLiteral("Enregistrement impossible"),
                QStringLiteral("Ecriture impossible sur disque")};
    }
    return {};
}

FileOutcome readOutcome(SetupReadStatus status) {
    return status == SetupReadStatus::NotASetupFile ? FileOutcome::NotASetupFile
                                                    : FileOutcome::ReadError;
}

} // namespace alambix
