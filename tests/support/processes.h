#pragma once
// Runs a program as a separate process and keeps what it gave.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <csignal>
#include <sys/resource.h>

// From now on this process may write no file past `bytes`: a write past it fails, as on a full
// disk (root included), instead of killing the process.
inline bool limitFileSize(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

// The same limit on this process while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : m_handler(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_set = limitFileSize(bytes);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    Q_DISABLE_COPY(FileSizeLimit)
    bool isSet() const { return m_set; }

private:
    void (*m_handler)(int);
    rlimit m_saved{};
    bool m_set = false;
};

struct Run {
    int exitCode = -1; // -1: it did not end in time; -2: it crashed
    QString out;
    QString err;
};

// `program` with `args`. With `fileLimit`, it may write no bigger file, and a write past it
// fails instead of killing it; it runs in `folder` (the test's own when empty), with the
// test's environment changed by `environment` ("NAME=value" each).
inline Run run(const QString& program, const QStringList& args, rlim_t fileLimit = RLIM_INFINITY,
               const QString& folder = {}, const QStringList& environment = {},
               int timeoutMs = 60000) {
    QProcess process;
    if (!folder.isEmpty()) process.setWorkingDirectory(folder);
    if (!environment.isEmpty()) {
        QProcessEnvironment changed = QProcessEnvironment::systemEnvironment();
        for (const QString& setting : environment)
            changed.insert(setting.section(QLatin1Char('='), 0, 0),
                           setting.section(QLatin1Char('='), 1));
        process.setProcessEnvironment(changed);
    }
    process.setChildProcessModifier([fileLimit] {
        if (fileLimit != RLIM_INFINITY) limitFileSize(fileLimit);
    });
    process.start(program, args);
    if (!process.waitForFinished(timeoutMs)) return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// alambix-cli, its path in ALAMBIX_CLI.
inline Run runCli(const QStringList& args, rlim_t fileLimit = RLIM_INFINITY,
                  const QString& folder = {}) {
    return run(qEnvironmentVariable("ALAMBIX_CLI"), args, fileLimit, folder);
}
