#pragma once
#include <QString>
#include <QStringList>

#include <optional>

namespace alambix::cli {
// `alambix-cli exercise [--correction] FILE.E08` and
// `alambix-cli exercise --check FILE.E08 [--click LIST]`, and with `--create` the exercise made
// from its parts: returns the process exit code.
int runExercise(const QStringList& args);
int runExerciseCreate(const QStringList& args);

// What `alambix-cli exercise` prints for FILE, after the correction or the pupil's clicks and
// their check when asked; returns the exit code.
int showExercise(const QString& file, bool correction,
                 const std::optional<QStringList>& checkClicks);

// The usage lines of the exercise commands.
QString exerciseUsage();
} // namespace alambix::cli
