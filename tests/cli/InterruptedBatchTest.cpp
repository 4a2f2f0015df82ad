// render --all stopped by a signal, or started into a folder another batch is using: no
// temporary file is left, and index.json is either absent or describes exactly the folder.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <thread>

#include "CliProcess.h"

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

constexpr std::uintmax_t kBmpSize = 3'686'454;
const std::string kOldPicture = "s-measure-00-en.bmp";  // a name the batch writes again

QStringList BatchInto(const fs::path& folder, const std::string& source = kDemoFile) {
    return {"render", QString::fromStdString(source), "--all", "-o",
            QString::fromStdString(folder.string())};
}

void PutEarlierBatch(const fs::path& folder) {
    std::ofstream(folder / "index.json") << R"({"pictures": [{"file": "gone.bmp"}]})";
    std::ofstream(folder / kOldPicture) << "old picture";
}

std::set<std::string> Pictures(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".bmp") names.insert(entry.path().filename().string());
    }
    return names;
}

struct Interruption {
    const char* label;
    int signal;
};

void PrintTo(const Interruption& c, std::ostream* out) {
    *out << c.label;
}

class InterruptedBatch : public ::testing::TestWithParam<Interruption> {};

TEST_P(InterruptedBatch, LeavesWholePicturesOnlyAndNoStaleIndex) {
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    const fs::path folder = temporary.path().toStdString();
    PutEarlierBatch(folder);

    QProcess batch;
    batch.start(kCliPath, BatchInto(folder));
    ASSERT_TRUE(batch.waitForStarted());
    // Stopped once its first picture is in place, which is well before its last.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (Pictures(folder).size() < 2 && fs::file_size(folder / kOldPicture) != kBmpSize &&
           batch.state() == QProcess::Running && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ::kill(static_cast<pid_t>(batch.processId()), GetParam().signal);
    ASSERT_TRUE(batch.waitForFinished(60'000));

    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        EXPECT_NE(name[0], '.') << "temporary left: " << name;
        if (name != kOldPicture && name != "index.json") {
            EXPECT_EQ(fs::file_size(entry), kBmpSize) << name;
        }
    }
    if (batch.exitStatus() == QProcess::CrashExit) {
        EXPECT_FALSE(fs::exists(folder / "index.json")) << "an index of an earlier batch";
        return;
    }
    // The batch won the race and finished: its index lists exactly what is there.
    ASSERT_EQ(batch.exitCode(), 0);
    std::ifstream file(folder / "index.json");
    std::set<std::string> listed;
    for (const auto& picture : nlohmann::json::parse(file)["pictures"])
        listed.insert(picture["file"]);
    EXPECT_EQ(listed, Pictures(folder));
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptedBatch,
                         ::testing::Values(Interruption{"SIGINT", SIGINT},
                                           Interruption{"SIGTERM", SIGTERM},
                                           Interruption{"SIGHUP", SIGHUP}),
                         [](const auto& testCase) { return std::string(testCase.param.label); });

TEST(ConcurrentBatch, FolderInUseIsRefusedAndLeftAsItWas) {
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    const fs::path folder = temporary.path().toStdString();
    PutEarlierBatch(folder);
    const int held = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    const CliRun refused = RunCliTool(BatchInto(folder));
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "quorvel-cli: -o " + folder.string() +
                               ": another render --all is writing into this folder; let it "
                               "finish or choose another folder\n");
    EXPECT_EQ(Pictures(folder), std::set<std::string>{kOldPicture});
    EXPECT_TRUE(fs::exists(folder / "index.json"));

    ::close(held);
    EXPECT_EQ(RunCliTool(BatchInto(folder)).status, 0) << "the lock ends with its holder";
}

TEST(BatchIndex, HashCoversTheRecordNotTheRestOfAHugeFile) {
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    const fs::path folder = temporary.path().toStdString();
    const fs::path huge = folder / "huge.dat";
    fs::copy_file(kDemoFile, huge);
    fs::resize_file(huge, std::uintmax_t{4} << 30);  // sparse: takes no room

    const CliRun run = RunCliTool(BatchInto(folder / "shots", huge.string()));
    ASSERT_EQ(run.status, 0) << run.err;
    QFile demo(QString::fromStdString(kDemoFile));
    ASSERT_TRUE(demo.open(QIODevice::ReadOnly));
    const std::string demoSha =
        QCryptographicHash::hash(demo.readAll(), QCryptographicHash::Sha256).toHex().toStdString();
    std::ifstream file(folder / "shots" / "index.json");
    const nlohmann::json index = nlohmann::json::parse(file);
    ASSERT_FALSE(index["pictures"].empty());
    for (const auto& picture : index["pictures"]) EXPECT_EQ(picture["recordSha256"], demoSha);
}

}  // namespace
}  // namespace quorvel::test
