// The window's command line, read before Qt starts: what each form of it asks for.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <tuple>
#include <vector>

#include "app/CommandLine.h"

namespace quorvel {
namespace {

using Action = CommandLine::Action;

CommandLine Parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "quorvel");
    return ParseCommandLine(static_cast<int>(arguments.size()), arguments.data());
}

TEST(CommandLineTest, EachFormGivesItsActionAndFile) {
    struct Case {
        std::vector<const char*> arguments;
        Action action;
        std::optional<std::string> file;
    };
    const std::vector<Case> cases = {
        {{}, Action::Run, std::nullopt},
        {{"caf\xe9.dat"}, Action::Run, "caf\xe9.dat"},  // Latin-1 bytes as given
        {{"-platform", "offscreen", "a.json"}, Action::Run, "a.json"},
        {{"a.dat", "--style=fusion"}, Action::Run, "a.dat"},
        {{"--", "-odd.dat"}, Action::Run, "-odd.dat"},
        {{"-"}, Action::Run, "-"},
        {{"a.dat", "--help"}, Action::Help, std::nullopt},
        {{"-h"}, Action::Help, std::nullopt},
        {{"--version", "--bogus"}, Action::Version, std::nullopt},
        {{"-V"}, Action::Version, std::nullopt},
        {{"--bogus"}, Action::Refuse, std::nullopt},
        {{"-x", "--help"}, Action::Refuse, std::nullopt},
        {{"a.dat", "b.dat"}, Action::Refuse, std::nullopt},
        {{"a.dat", "-platform"}, Action::Refuse, std::nullopt},
    };
    for (const Case& c : cases) {
        const CommandLine line = Parse(c.arguments);
        const std::string shown = c.arguments.empty() ? "" : c.arguments[0];
        EXPECT_EQ(line.action, c.action) << shown;
        EXPECT_EQ(line.file, c.file) << shown;
    }
}

// The real executable, with no display to open: the answer must come before Qt starts.
TEST(CommandLineTest, TheExecutableAnswersWithoutADisplay) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(QString::fromLatin1(name));
    }
    const std::tuple<const char*, int, const char*> runs[] = {
        {"--help", 0, "Usage: quorvel [OPTION]... [FILE]\n"},
        {"--version", 0, "quorvel 1."},
        {"--nope", kExitUsage,
         "quorvel: unknown option '--nope'\nTry 'quorvel --help' for more information.\n"},
    };
    for (const auto& [argument, status, start] : runs) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(QUORVEL_BINARY_DIR "/app/quorvel"), {argument});
        EXPECT_TRUE(process.waitForFinished(30'000));
        EXPECT_EQ(process.exitCode(), status) << argument;
        const QByteArray output = process.readAllStandardOutput() + process.readAllStandardError();
        EXPECT_TRUE(output.startsWith(start)) << output.toStdString();
    }
}

}  // namespace
}  // namespace quorvel
