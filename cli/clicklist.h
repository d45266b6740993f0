#pragma once
// `--click LIST`: comma-separated element indices 0..13 taken as the user's clicks, in order,
// and the token "N" for "&Nouveau".

#include "core/elements.h"
#include "core/setupmodel.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace alambix::cli {

inline QStringList clickTokens(const QString& list) {
    return list.split(QLatin1Char(','), Qt::SkipEmptyParts);
}

// The message for the first token that is neither an element nor "N".
inline std::optional<QString> clickListError(const QStringList& tokens) {
    for (const QString& token : tokens) {
        if (token.trimmed() == QLatin1String("N")) continue;
        bool ok = false;
        const int index = token.trimmed().toInt(&ok);
        if (!ok || index < 0 || index >= ElementCount)
            return QStringLiteral("élément inconnu dans --click: %1").arg(token);
    }
    return std::nullopt;
}

// One token of a checked list on `model`. True when an element's click was taken; a click on
// a greyed element does nothing.
inline bool applyClick(SetupModel& model, const QString& token) {
    if (token.trimmed() == QLatin1String("N")) {
        model.clearAll();
        return false;
    }
    return model.click(token.trimmed().toInt());
}

} // namespace alambix::cli
