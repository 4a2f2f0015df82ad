#include "fuzz/ExerciseAccept.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "cli/Commands.h"
#include "compare/PictureDecoder.h"
#include "source/JsonInput.h"

namespace quorvel {

namespace {

namespace fs = std::filesystem;

// A 1 by 1 black 32-bit BMP, bottom-up.
std::vector<std::uint8_t> ApprovedPicture() {
    std::vector<std::uint8_t> bytes(58, 0);
    bytes[0] = 'B', bytes[1] = 'M', bytes[2] = 58, bytes[10] = 54, bytes[14] = 40, bytes[18] = 1,
    bytes[22] = 1, bytes[26] = 1, bytes[28] = 32;
    return bytes;
}

constexpr std::string_view kApprovedIndex = R"({"pictures":[{"file":"a.bmp"}]})";

void Write(const fs::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> Read(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

std::span<const std::uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace

AcceptReport ExerciseAccept(std::span<const std::uint8_t> bytes, const fs::path& work) {
    const auto zero = std::ranges::find(bytes, std::uint8_t{0});
    const std::span<const std::uint8_t> index(bytes.begin(), zero);
    const std::span<const std::uint8_t> picture =
        zero == bytes.end() ? std::span<const std::uint8_t>() : std::span(zero + 1, bytes.end());
    const fs::path approved = work / "approved", fresh = work / "new";
    std::error_code error;
    fs::remove_all(work, error);
    fs::create_directories(approved);
    fs::create_directories(fresh);
    const std::vector<std::uint8_t> original = ApprovedPicture();
    Write(approved / "a.bmp", original);
    Write(approved / "index.json", Bytes(kApprovedIndex));
    Write(fresh / "index.json", index);
    Write(fresh / "a.bmp", picture);
    Write(fresh / "b.png", picture);

    std::ostringstream out, err;
    cli::CompareOptions options;
    options.approved = approved;
    options.fresh = fresh;
    options.accept = true;
    AcceptReport report;
    report.status = cli::RunCompare(options, out, err);
    const std::vector<std::uint8_t> now = Read(approved / "a.bmp");
    report.replaced = now != original;
    const bool decodes = compare::DecodePicture(picture).ok();
    const std::optional<Json> parsed =
        ParseJsonText(std::string(index.begin(), index.end()), "index").document;
    const bool indexReadable = parsed && parsed->is_object() && parsed->contains("pictures") &&
                               (*parsed)["pictures"].is_array();
    const JsonInput approvedIndex = ReadJsonInput(approved / "index.json");

    if (report.status != cli::kExitOk && report.status != cli::kExitFailure) {
        report.fault = "status " + std::to_string(report.status);
    } else if (report.replaced &&
               (!decodes || !indexReadable || !std::ranges::equal(now, picture))) {
        report.fault = "a.bmp replaced by a picture that was not to be approved";
    } else if (fs::exists(approved / "b.png") && (!decodes || !indexReadable)) {
        report.fault = "b.png approved though it does not decode or the index is unreadable";
    } else if (!approvedIndex.document) {
        report.fault = "approved index.json unreadable: " + approvedIndex.error;
    } else if (std::ranges::any_of(fs::directory_iterator(approved), [](const auto& entry) {
                   return entry.path().filename().string().starts_with(".quorvel");
               })) {
        report.fault = "a temporary file was left in the approved folder";
    }
    return report;
}

}  // namespace quorvel
