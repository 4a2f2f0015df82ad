// Names as the file system holds them (bytes that are not UTF-8, 255-byte names, links) and a
// standard output that cannot be written, through the real executable run by a shell.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "CliProcess.h"

namespace quorvel::test {
namespace {

struct ShellCase {
    const char* script;  // run in a fresh folder; $Q is quorvel-cli, $D the sample file
    int status;
    const char* err;
};

const ShellCase kCases[] = {
    // printf writes é as the single Latin-1 byte 0xE9.
    {R"(n=$(printf 'caf\351') && cp "$D" "$n.dat" && "$Q" dump "$n.dat" >out && test -s out &&
        "$Q" render "$n.dat" --dvb s --screen spectrum -o "$n.bmp" &&
        test $(stat -c %s "$n.bmp") = 3686454 && "$Q" render "$n.dat" --all -o "$n" &&
        test -s "$n/index.json")",
     0, ""},
    // A name beyond ASCII goes into an international text chunk, which holds UTF-8 (a plain
    // one holds Latin-1), and comes back whole.
    {R"(cp "$D" été.dat && "$Q" render été.dat --dvb s --screen measure -o s.png &&
        grep -aq iTXtSource s.png && "$Q" info s.png | grep -qx 'Source: été.dat')",
     0, ""},
    {R"(n=$(printf '%0251d' 0).bmp && "$Q" render "$D" --dvb t --screen measure -o $n &&
        test $(stat -c %s $n) = 3686454)",
     0, ""},
    {R"(ln -s made.bmp dangling.bmp && "$Q" render "$D" --dvb c --screen measure -o dangling.bmp &&
        test -L dangling.bmp && test $(stat -c %s made.bmp) = 3686454)",
     0, ""},
    {R"(ln -s b.bmp a.bmp && ln -s a.bmp b.bmp && "$Q" render "$D" --dvb s --screen measure -o a.bmp;
        s=$?; test $(ls -A | wc -l) = 2 || s=99; exit $s)",
     1, "quorvel-cli: cannot write a.bmp: Too many levels of symbolic links\n"},
    {R"("$Q" dump "$D" >/dev/full)", 1,
     "quorvel-cli: cannot write standard output: No space left on device\n"},
    {R"("$Q" dump "$D" >&-)", 1,
     "quorvel-cli: cannot write standard output: Bad file descriptor\n"},
};

TEST(ByteNames, AreUsedAsTheFileSystemHoldsThemAndOutputFailuresAreNamed) {
    for (const ShellCase& c : kCases) {
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        QProcess shell;
        shell.setWorkingDirectory(folder.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("Q", kCliPath);
        environment.insert("D", QtPath(kDemoFile));
        shell.setProcessEnvironment(environment);
        shell.start("/bin/sh", {"-c", c.script});
        ASSERT_TRUE(shell.waitForFinished(120'000));
        EXPECT_EQ(shell.exitCode(), c.status) << c.script;
        EXPECT_EQ(shell.readAllStandardError().toStdString(), c.err) << c.script;
    }
}

}  // namespace
}  // namespace quorvel::test
