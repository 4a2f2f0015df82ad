// Runs the built quorvel-cli executable and other programs, and reads back what they wrote.
#pragma once

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <nlohmann/json.hpp>
#include <string>

#include "support/Files.h"
#include "tools/GoldenPictures.h"

namespace quorvel::test {

inline const QString kCliPath = QStringLiteral(QUORVEL_BINARY_DIR "/cli/quorvel-cli");
inline const std::string kDemoFile = QUORVEL_SOURCE_DIR "/samples/demo.dat";

// Names parameterised cases by their place in the table, as their values print as bytes.
inline constexpr auto CaseName = [](const auto& info) {
    return "Case" + std::to_string(info.index);
};

inline QString QtPath(const fs::path& path) {
    return QString::fromStdString(path.string());
}

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline CliRun RunProgram(
    const QString& program, const QStringList& arguments,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    CliRun run;
    if (!process.waitForFinished(120'000) || process.exitStatus() != QProcess::NormalExit) {
        run.err = program.toStdString() + " did not finish: " + process.errorString().toStdString();
        return run;
    }
    run.status = process.exitCode();
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

inline CliRun RunCliTool(
    const QStringList& arguments,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    return RunProgram(kCliPath, arguments, environment);
}

inline QStringList BatchInto(const fs::path& folder, const std::string& source = kDemoFile) {
    return {"render", QtPath(source), "--all", "-o", QtPath(folder)};
}

inline nlohmann::json ReadJson(const fs::path& path) {
    return nlohmann::json::parse(ReadText(path));
}

inline std::string DemoSha256() {
    const QByteArray demo = QByteArray::fromStdString(ReadText(kDemoFile));
    return QCryptographicHash::hash(demo, QCryptographicHash::Sha256).toHex().toStdString();
}

// Whether the golden table lists the screen's pixels under this picture's name, as a BMP.
inline bool InGoldenTable(const QImage& screen, const std::string& file) {
    static const std::string table =
        ReadText(QUORVEL_SOURCE_DIR "/tests/golden/demo-pictures.sha256");
    const std::string digest = golden::PixelDigest(screen.convertToFormat(QImage::Format_RGB32));
    const std::string asBmp = file.substr(0, file.rfind('.')) + ".bmp";
    return table.find(digest + "  " + asBmp + "\n") != std::string::npos;
}

// How many times `text` occurs in `page`, the occurrences apart.
inline std::size_t Count(const std::string& page, const std::string& text) {
    std::size_t count = 0;
    for (std::size_t at = page.find(text); at != std::string::npos;
         at = page.find(text, at + text.size())) {
        ++count;
    }
    return count;
}

// The page as headless chromium (installed by scripts/deps) leaves it once its scripts ran.
inline std::string BrowserDom(const fs::path& page, const std::string& fragment = "") {
    QTemporaryDir profile;
    const CliRun browser = RunProgram(
        "chromium",
        {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--user-data-dir=" + profile.path(), "--virtual-time-budget=5000", "--dump-dom",
         QString::fromStdString("file://" + page.string() + fragment)});
    EXPECT_EQ(browser.status, 0) << browser.err;
    return browser.out;
}

}  // namespace quorvel::test
