// Runs the built quorvel-cli executable and collects its exit status and output.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <string>

namespace quorvel::test {

inline const QString kCliPath = QStringLiteral(QUORVEL_BINARY_DIR "/cli/quorvel-cli");
inline const std::string kDemoFile = QUORVEL_SOURCE_DIR "/samples/demo.dat";

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline CliRun RunCliTool(const QStringList& arguments) {
    QProcess process;
    process.start(kCliPath, arguments);
    CliRun run;
    if (!process.waitForFinished(120'000) || process.exitStatus() != QProcess::NormalExit) {
        run.err = "quorvel-cli did not finish: " + process.errorString().toStdString();
        return run;
    }
    run.status = process.exitCode();
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

}  // namespace quorvel::test
