// render --all stopped by a signal, or started into a folder another batch is using: no
// temporary file is left, and index.json is either absent or describes exactly the folder.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>

#include <set>

#include "CliProcess.h"

namespace quorvel::test {
namespace {

constexpr std::uintmax_t kBmpSize = 3'686'454;

std::set<std::string> Listed(const fs::path& index) {
    std::set<std::string> files;
    for (const auto& picture : ReadJson(index)["pictures"]) files.insert(picture["file"]);
    return files;
}

TEST(InterruptedBatch, LeavesWholePicturesOnlyAndNoStaleIndex) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        TemporaryFolder temporary;
        const fs::path& folder = temporary.path();
        WriteFile(folder / "index.json", std::string(R"({"pictures": [{"file": "gone.bmp"}]})"));
        WriteFile(folder / "s-measure-00-en.bmp", std::string("an earlier picture, replaced"));

        QProcess batch;
        batch.start(kCliPath, BatchInto(folder));
        ASSERT_TRUE(batch.waitForStarted());
        // Stopped once its first picture is in place, well before its last.
        while (fs::file_size(folder / "s-measure-00-en.bmp") != kBmpSize &&
               std::distance(fs::directory_iterator(folder), fs::directory_iterator()) < 3 &&
               !batch.waitForFinished(1)) {
        }
        ::kill(static_cast<pid_t>(batch.processId()), signal);
        ASSERT_TRUE(batch.waitForFinished(60'000));

        std::set<std::string> pictures;
        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            EXPECT_NE(name[0], '.') << "temporary left: " << name;
            if (entry.path().extension() == ".bmp" && fs::file_size(entry) == kBmpSize)
                pictures.insert(name);
        }
        if (batch.exitStatus() == QProcess::CrashExit) {
            EXPECT_FALSE(fs::exists(folder / "index.json")) << signal;
        } else {  // it finished before the signal came
            EXPECT_EQ(Listed(folder / "index.json"), pictures);
        }
    }
}

TEST(ConcurrentBatch, FolderInUseIsRefusedAndTheHashCoversOnlyTheRecord) {
    TemporaryFolder temporary;
    const fs::path& folder = temporary.path();
    const fs::path huge = folder / "huge.dat";
    fs::copy_file(kDemoFile, huge);
    fs::resize_file(huge, std::uintmax_t{4} << 30);  // sparse: takes no room

    const int held = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    const CliRun refused = RunCliTool(BatchInto(folder, huge));
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "quorvel-cli: -o " + folder.string() +
                               ": another render --all is writing into this folder; let it "
                               "finish or choose another folder\n");
    EXPECT_EQ(temporary.Names(), std::vector<std::string>{"huge.dat"});
    ::close(held);

    ASSERT_EQ(RunCliTool(BatchInto(folder, huge)).status, 0) << "the lock ends with its holder";
    const std::string demoSha = DemoSha256();
    const nlohmann::json index = ReadJson(folder / "index.json");
    ASSERT_FALSE(index["pictures"].empty());
    for (const auto& picture : index["pictures"]) EXPECT_EQ(picture["recordSha256"], demoSha);
}

}  // namespace
}  // namespace quorvel::test
