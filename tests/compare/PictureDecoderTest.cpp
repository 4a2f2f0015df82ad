#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>

#include "compare/PictureBytes.h"
#include "compare/PictureDecoder.h"

namespace quorvel::compare {
namespace {

using test::BmpBytes;
using test::PatternPicture;
using test::PngBytes;
using test::Put32;

// Widths 3 and 5 make the 24-bit rows need padding; the heights tell the row order apart.
TEST(PictureDecoder, EveryLayoutDecodesToTheSamePixels) {
    for (const auto& [width, height] : {std::pair{3, 2}, std::pair{5, 4}, std::pair{8, 3}}) {
        const Picture expected = PatternPicture(width, height);
        const std::pair<const char*, std::vector<std::uint8_t>> files[] = {
            {"24-bit bottom-up", BmpBytes(expected, 24, false)},
            {"24-bit top-down", BmpBytes(expected, 24, true)},
            {"32-bit bottom-up", BmpBytes(expected, 32, false)},
            {"32-bit top-down", BmpBytes(expected, 32, true)},
            {"PNG RGB", PngBytes(expected, false)},
            {"PNG RGBA", PngBytes(expected, true)}};
        for (const auto& [layout, bytes] : files) {
            const DecodeOutcome decoded = DecodePicture(bytes);
            ASSERT_TRUE(decoded.ok()) << layout << ": " << decoded.error;
            EXPECT_EQ(decoded.picture.width, width) << layout;
            EXPECT_EQ(decoded.picture.height, height) << layout;
            EXPECT_EQ(decoded.picture.pixels, expected.pixels) << layout << " " << width;
        }
    }
}

TEST(PictureDecoder, PngTextChunksBecomeNotes) {
    const DecodeOutcome decoded = ReadPicture(QUORVEL_SOURCE_DIR "/fuzz/seeds/pictures/rgb.png");
    ASSERT_TRUE(decoded.ok()) << decoded.error;
    EXPECT_EQ(decoded.picture.Note("Screen"), "spectrum");
    EXPECT_EQ(decoded.picture.Note("DVB type"), "DVB-S");
    EXPECT_EQ(decoded.picture.Note("Scale"), "2");
    EXPECT_EQ(decoded.picture.Note("Title"), "");
}

std::vector<std::uint8_t> PngWithHeader(std::uint32_t width, std::uint32_t height) {
    std::vector<std::uint8_t> bytes = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                       0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    for (const std::uint32_t value : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back((value >> shift) & 0xFF);
    }
    bytes.insert(bytes.end(), {8, 2, 0, 0, 0});
    const std::uint32_t crc = crc32(0, bytes.data() + 12, 17);
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back((crc >> shift) & 0xFF);
    return bytes;
}

TEST(PictureDecoder, BadPicturesAreRefusedWithTheirReason) {
    const std::vector<std::uint8_t> bmp = BmpBytes(PatternPicture(5, 4), 24, false);
    const std::vector<std::uint8_t> png = PngBytes(PatternPicture(5, 4), false);
    const auto changed = [](std::vector<std::uint8_t> bytes, std::size_t at, std::uint32_t value) {
        Put32(bytes, at, value);
        return bytes;
    };
    const auto cut = [](std::vector<std::uint8_t> bytes, std::size_t size) {
        bytes.resize(size);
        return bytes;
    };
    // A chunk inserted before IEND.
    const auto grown = [&](std::vector<std::uint8_t> bytes, std::vector<std::uint8_t> chunk) {
        bytes.insert(bytes.end() - 12, chunk.begin(), chunk.end());
        return bytes;
    };
    const std::vector<std::uint8_t> bmpWithoutSize = changed(bmp, 2, 0);
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* reason;
    } cases[] = {
        {"empty", {}, "not a BMP or PNG"},
        {"text", {'h', 'e', 'l', 'l', 'o', '!', '!', '!', '!'}, "not a BMP or PNG"},
        {"BMP headers cut", cut(bmp, 40), "truncated"},
        {"BMP last row cut", cut(bmpWithoutSize, bmp.size() - 1), "truncated"},
        {"BMP size field lies", changed(bmp, 2, static_cast<std::uint32_t>(bmp.size() + 1)),
         "header says"},
        {"BMP height lies", changed(bmpWithoutSize, 22, 5), "truncated"},
        {"BMP pixels start past the end", changed(bmp, 10, 1000), "truncated"},
        {"BMP 0 by 0", changed(changed(bmp, 18, 0), 22, 0), "no pixels"},
        {"BMP 100,000 by 100,000", changed(changed(bmp, 18, 100000), 22, 100000), "larger than"},
        {"BMP 16 bits", changed(bmp, 28, 16), "bits per pixel"},
        {"BMP run-length coded", changed(bmp, 30, 1), "compression"},
        {"BMP old core header", changed(bmp, 14, 12), "info header"},
        {"PNG cut in the pixels", cut(png, png.size() - 20), "PNG"},
        {"PNG header only", cut(png, 20), "truncated"},
        {"PNG 100,000 by 100,000", PngWithHeader(100000, 100000), "PNG"},
        {"PNG 0 by 0", PngWithHeader(0, 0), "PNG"},
        {"PNG chunk longer than the file", grown(png, {0x7F, 0, 0, 0, 't', 'E', 'X', 't', 0, 0, 0, 0}),
         "chunk of 2130706432 bytes"},
        {"PNG chunk header at the end", grown(png, {0x7F, 0, 0, 0, 't', 'E', 'X', 't'}), "chunk of"},
    };
    for (const auto& c : cases) {
        const DecodeOutcome decoded = DecodePicture(c.bytes);
        EXPECT_FALSE(decoded.ok()) << c.what;
        EXPECT_NE(decoded.error.find(c.reason), std::string::npos)
            << c.what << ": " << decoded.error;
        EXPECT_TRUE(decoded.picture.pixels.empty()) << c.what;
    }
    EXPECT_TRUE(DecodePicture(bmpWithoutSize).ok()) << "a zero size field is common and harmless";
}

// The fuzz seeds, among them inputs that once took gigabytes or seconds, under the sanitizers too.
TEST(PictureDecoder, FuzzSeedsDecodeOrAreRefusedQuickly) {
    int decoded = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(QUORVEL_SOURCE_DIR "/fuzz/seeds/pictures")) {
        const DecodeOutcome outcome = ReadPicture(entry.path());
        const std::string name = entry.path().filename().string();
        const bool bad = name.starts_with("truncated") || name.starts_with("chunk-");
        EXPECT_EQ(outcome.ok(), !bad) << entry.path() << ": " << outcome.error;
        EXPECT_EQ(outcome.picture.pixels.size(),
                  static_cast<std::size_t>(outcome.picture.width) * outcome.picture.height)
            << entry.path();
        decoded += outcome.ok();
    }
    EXPECT_EQ(decoded, 10);
}

TEST(PictureDecoder, ReadingNamesTheFile) {
    const std::string missing = testing::TempDir() + "/no-such-picture.bmp";
    EXPECT_NE(ReadPicture(missing).error.find(missing), std::string::npos);
    const std::string folder = testing::TempDir();
    EXPECT_NE(ReadPicture(folder).error.find("folder"), std::string::npos);
    const std::string bad = testing::TempDir() + "/bad-picture.png";
    std::ofstream(bad) << "BMx";
    const DecodeOutcome decoded = ReadPicture(bad);
    EXPECT_EQ(decoded.error.rfind(bad + ": BMP is truncated", 0), 0u) << decoded.error;
}

}  // namespace
}  // namespace quorvel::compare
