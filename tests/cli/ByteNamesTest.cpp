// Names as the file system holds them (bytes that are not UTF-8, 255-byte names, links) and a
// standard output that cannot be written, through the real executable run by a shell.
#include <gtest/gtest.h>

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
     0, "quorvel-cli: contact sheet: caf\xE9/index.html\n"},
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
    // compare: $S and $T make two different pictures of one size.
    {R"sh(mkdir A N && $S A/x.bmp && $T N/x.bmp && cp A/x.bmp kept && l=$(printf %60000s) &&
        echo "{\"pictures\":$(echo "$l" | tr ' ' '[')$(echo "$l" | tr ' ' ']')}" >N/index.json &&
        "$Q" compare A N --accept >/dev/null; s=$?; cmp -s A/x.bmp kept || s=99; exit $s)sh",
     1,
     "quorvel-cli: N/index.json nests lists and objects more than 256 levels deep; a dump nests "
     "five\nquorvel-cli: nothing accepted\n"},
    {R"sh(mkdir -p A/new N && $S A/x.bmp && cp A/x.bmp A/new/x.bmp && $T N/x.bmp && echo s >N/index.html &&
        "$Q" compare A N -o A; s=$?; "$Q" compare A N -o N/; cmp -s A/x.bmp A/new/x.bmp &&
        test "$(ls A N | xargs)" = "A: new x.bmp N: index.html x.bmp" || s=99; exit $s)sh",
     2,
     "quorvel-cli compare: -o A: the report would be written over A; choose a folder that neither "
     "holds nor lies inside the compared pictures, an empty one, or an earlier report's\n"
     "quorvel-cli compare: -o N/: the report would be written over N; choose a folder that neither "
     "holds nor lies inside the compared pictures, an empty one, or an earlier report's\n"},
    // An earlier report is written over, losing its own pictures only.
    {R"sh(mkdir A N && $S A/x.bmp && $T N/x.bmp && "$Q" compare A N -o A/r >/dev/null; touch A/r/k &&
        cp A/x.bmp N && "$Q" compare A N -o A/r >/dev/null && test "$(ls A/r | xargs)" = "index.html k report.json")sh",
     0, ""},
    {R"sh(mkdir A N R && $S A/x.bmp && cp A/x.bmp N && touch keep R/new && echo '{"settings":0,
        "summary":0,"pairs":[{"pictures":{"a":"../keep","b":7,"c":"new"}}]}' >R/report.json &&
        "$Q" compare A N -o R >/dev/null && test -f keep && test -f R/new)sh",
     0, ""},
    {R"sh(mkdir A N && $S A/x.bmp && cp A/x.bmp N && ln -s l A/l && ln -s no N/n.png && mkfifo N/f.png &&
        "$Q" compare A N >out; s=$?; grep -qx 'compared 1 pair: 1 same, 0 different, 0 added, 0 removed' out || s=99; exit $s)sh",
     1,
     "quorvel-cli: skipped A/l: Too many levels of symbolic links\nquorvel-cli: skipped N/f.png: "
     "neither a file nor a folder\nquorvel-cli: skipped N/n.png: a link to nothing\n"},
    {R"sh(mkdir A N && n=$(printf 'c #f\351').bmp && $S "A/$n" && $T "N/$n" && "$Q" compare A N -o R >/dev/null;
        grep -q "$(printf 'c #f\357\277\275')" R/report.json && grep -q 'src="new/c%20%23f%E9.bmp"' R/index.html &&
        "$Q" compare A N --accept >/dev/null; cmp -s "A/$n" "N/$n"; s=$?; rm -r A N R; exit $s)sh",
     0, ""},
    {R"sh(mkdir A N && truncate -s 20G N/big.png && printf %0100d 0 >N/bad.png &&
        "$Q" compare A N --accept >/dev/null; s=$?; test -z "$(ls A)" || s=99; exit $s)sh",
     1,
     "quorvel-cli: not accepted: N/bad.png: not a BMP or PNG picture\nquorvel-cli: not accepted: "
     "N/big.png: file of 21474836480 bytes is too large for a picture\n"},
    {R"("$Q" dump "$D" >/dev/full)", 1,
     "quorvel-cli: cannot write standard output: No space left on device\n"},
    {R"("$Q" dump "$D" >&-)", 1,
     "quorvel-cli: cannot write standard output: Bad file descriptor\n"},
    {R"sh("$Q" render "$D" --dvb s --screen measure -o s.png && "$Q" info s.png >/dev/full)sh", 1,
     "quorvel-cli: cannot write standard output: No space left on device\n"},
    {R"sh("$Q" compare --regions >/dev/full)sh", 1,
     "quorvel-cli: cannot write standard output: No space left on device\n"},
    {R"sh("$Q" render "$D" --all --dvb t --screen measure --lang fr --fit-report -o f >/dev/full)sh",
     1,
     "quorvel-cli: contact sheet: f/index.html\nquorvel-cli: cannot write standard output: No "
     "space left on device\n"},
    // info reads names as bytes, refuses a FIFO at once and prints no control character.
    {R"sh(mkfifo p.png && timeout 5 "$Q" info p.png)sh", 1,
     "quorvel-cli: p.png: not a readable PNG picture (cannot read p.png: not a regular file)\n"},
    {R"sh(n=$(printf 'caf\351.png') && "$Q" render "$D" --dvb s --screen measure -o "$n" &&
        "$Q" info "$n" | grep -qx 'Source: demo.dat')sh",
     0, ""},
    {R"sh(n=$(printf 'a\033[2Jb\\c.dat') && cp "$D" "$n" &&
        "$Q" render "$n" --dvb s --screen measure -o s.png && "$Q" info s.png >out &&
        grep -qxF 'Source: a\x1b[2Jb\\c.dat' out && ! grep -q "$(printf '\033')" out)sh",
     0, ""},
    // A text chunk that declares 2 GiB in a 44-byte file.
    {R"sh(printf '\211PNG\r\n\032\n\0\0\0\rIHDR\0\0\0\1\0\0\0\1\10\2\0\0\0\220wS\336\200\0\0\0tEXtabc' >big.png &&
        $LIMIT_MEMORY && timeout 2 "$Q" info big.png)sh",
     1,
     "quorvel-cli: big.png: not a readable PNG picture (PNG is truncated: chunk of 2147483648 "
     "bytes "
     "at byte 33, the file has 44)\n"},
    // Every output holds names that are no UTF-8 as UTF-8, with U+FFFD for the bad bytes.
    {R"sh(n=$(printf 'caf\351') && cp "$D" "$n.dat" && "$Q" export "$n.dat" -o t &&
        grep -qF "\"source\": \"caf$(printf '\357\277\275').dat\"" t/export.json)sh",
     0, ""},
    // A full disk while the second export is written leaves the first one whole.
    {R"sh("$Q" export "$D" -o t && cp -r t before && (ulimit -f 20; trap '' XFSZ;
        "$Q" export "$D" --dvb s -o t); s=$?; diff -r t before >/dev/null || s=98; exit $s)sh",
     1, "quorvel-cli: cannot write t/constellation-s-00.csv: File too large; nothing written\n"},
    // Sources named with '#', '%', '?', a space and a byte that is no UTF-8 give their pictures
    // folders of those names; the contact sheet's links still reach every picture, and its
    // contents its anchors, whose ids hold U+FFFD for such a byte.
    {R"sh(n=$(printf 'a #b\351') && cp "$D" "$n.dat" && cp "$D" 'c%3F d?.dat' && "$Q" render --all \
        "$n.dat" 'c%3F d?.dat' --dvb s --screen measure --lang en --format png -o f &&
        chromium --headless --no-sandbox --disable-gpu --no-first-run --user-data-dir="$PWD/p" \
        --virtual-time-budget=5000 --dump-dom "file://$PWD/f/index.html#eager" 2>/dev/null >dom &&
        test "$(grep -o 'data-decoded="1280"' dom | wc -l)" = "$(grep -o '"file":' f/index.json | wc -l)" &&
        grep -q 'src="a%20%23b%E9/s-measure-00-en.png"' dom && grep -q 'src="c%253F%20d%3F/' dom &&
        grep -q 'href="#a%20%23b%EF%BF%BD/s-measure-00-en.png"' dom)sh",
     0, "quorvel-cli: contact sheet: f/index.html\n"},
    // Every path of a batch stays inside -o, whatever the sources' stems.
    {R"sh(mkdir s fig && for n in site .. . index.json; do cp "$D" "s/$n.dat"; done &&
        echo kept >fig/s-measure-00-en.bmp && "$Q" render --all s/site.dat s/...dat s/..dat \
        s/index.json.dat --dvb s --screen measure --lang en -o fig/out &&
        test "$(cat fig/s-measure-00-en.bmp)" = kept && test -d fig/out/..-2 &&
        test -d fig/out/.-2 && test -d fig/out/index.json-2 && ! grep -q '"\.\./' fig/out/index.json)sh",
     0, "quorvel-cli: contact sheet: fig/out/index.html\n"},
    // The index keeps its mode as the pictures do; the fit table keeps one row per text.
    {R"sh("$Q" render "$D" --all --dvb s --screen measure -o f && chmod 600 f/index.json &&
        "$Q" render "$D" --all --dvb s --screen measure -o f && test $(stat -c %a f/index.json) = 600)sh",
     0, "quorvel-cli: contact sheet: f/index.html\nquorvel-cli: contact sheet: f/index.html\n"},
    {R"sh(n=$(printf 'a\tb\nc') && cp "$D" x.dat && cp "$D" "$n.dat" && "$Q" render --all x.dat "$n.dat" \
        --dvb t --screen measure --lang fr --fit-report -o f >r.tsv &&
        awk -F'\t' 'NF != 11 { exit 1 }' r.tsv && grep -qF 'a\tb\nc/t-measure-00-fr.bmp' r.tsv)sh",
     0, "quorvel-cli: contact sheet: f/index.html\n"},
};

// AddressSanitizer reserves terabytes of address space for its shadow memory, so a limit on
// address space would stop the process before it starts; that build keeps the time limit only.
#ifdef __SANITIZE_ADDRESS__
constexpr const char* kLimitMemory = "true";
#else
constexpr const char* kLimitMemory = "ulimit -v 1000000";
#endif

TEST(ByteNames, AreUsedAsTheFileSystemHoldsThemAndOutputFailuresAreNamed) {
    for (const ShellCase& c : kCases) {
        // Removed by name bytes, which QTemporaryDir cannot do for names that are no UTF-8.
        const TemporaryFolder folder;
        QProcess shell;
        shell.setWorkingDirectory(QtPath(folder.path()));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("Q", kCliPath);
        environment.insert("D", QtPath(kDemoFile));
        environment.insert("LIMIT_MEMORY", kLimitMemory);
        for (const char* dvb : {"S", "T"}) {
            environment.insert(dvb, kCliPath + " render " + QtPath(kDemoFile) + " --dvb " +
                                        QString(dvb).toLower() + " --screen measure -o");
        }
        shell.setProcessEnvironment(environment);
        shell.start("/bin/sh", {"-c", c.script});
        ASSERT_TRUE(shell.waitForFinished(120'000));
        EXPECT_EQ(shell.exitCode(), c.status) << c.script;
        EXPECT_EQ(shell.readAllStandardError().toStdString(), c.err) << c.script;
    }
}

}  // namespace
}  // namespace quorvel::test
