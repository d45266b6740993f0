#pragma once
// Runs alambix-cli (its path in ALAMBIX_CLI) as a separate process and keeps what it gave.

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <csignal>
#include <sys/resource.h>

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// `args` in `folder` (the test's own when empty); with `fileLimit`, the process may write no
// bigger file, and a write past it fails instead of killing the process.
inline Run runCli(const QStringList& args, const QString& folder = QString(),
                  rlim_t fileLimit = RLIM_INFINITY) {
    QProcess process;
    if (!folder.isEmpty()) process.setWorkingDirectory(folder);
    process.setChildProcessModifier([fileLimit] {
        if (fileLimit == RLIM_INFINITY) return;
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{fileLimit, fileLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    process.start(qEnvironmentVariable("ALAMBIX_CLI"), args);
    if (!process.waitForFinished(60000)) return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

inline bool putFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
