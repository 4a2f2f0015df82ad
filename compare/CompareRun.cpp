#include "compare/CompareRun.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "compare/DifferencePicture.h"
#include "compare/MappedFile.h"
#include "compare/PictureDecoder.h"
#include "compare/PixelDiff.h"

namespace quorvel::compare {

namespace {

// Cuts `from` down to `width` by `height` at `at`; an error when that leaves the picture.
std::string CropTo(Picture& from, int width, int height, IntPoint at, const std::string& name) {
    if (at.x < 0 || at.y < 0 || at.x > from.width - width || at.y > from.height - height) {
        return name + ": a " + std::to_string(width) + " by " + std::to_string(height) +
               " crop at " + std::to_string(at.x) + "," + std::to_string(at.y) +
               " falls outside the " + std::to_string(from.width) + " by " +
               std::to_string(from.height) + " picture";
    }
    std::vector<std::uint32_t> cut(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const auto* row =
            from.pixels.data() + static_cast<std::size_t>(y + at.y) * from.width + at.x;
        std::copy_n(row, width, cut.begin() + static_cast<std::ptrdiff_t>(y) * width);
    }
    from.pixels = std::move(cut);
    from.width = width;
    from.height = height;
    return {};
}

// With a crop, the larger picture of a pair is cut to the size of the smaller one.
std::string ApplyCrop(Picture& approved, Picture& fresh, IntPoint at, const PicturePair& pair) {
    const bool approvedLarger = approved.width >= fresh.width && approved.height >= fresh.height;
    const bool freshLarger = fresh.width >= approved.width && fresh.height >= approved.height;
    if (approvedLarger && !freshLarger) {
        return CropTo(approved, fresh.width, fresh.height, at, pair.approved->string());
    }
    if (freshLarger && !approvedLarger) {
        return CropTo(fresh, approved.width, approved.height, at, pair.fresh->string());
    }
    return {};
}

std::vector<IntRect> IgnoredRects(const std::vector<PlacedRegion>& regions,
                                  const std::vector<std::string>& names) {
    std::vector<IntRect> rects;
    for (const PlacedRegion& region : regions) {
        if (std::ranges::find(names, region.name) != names.end()) rects.push_back(region.rect);
    }
    return rects;
}

std::string FileNameOf(const PicturePair& pair) {
    return std::filesystem::path(pair.name).filename().string();
}

void DescribeScreen(PairResult& result, const Picture& picture) {
    result.screen = ScreenOfPicture(FileNameOf(result.pair), picture);
    result.title = picture.Note("Title");
    result.entry = picture.Note("Entry");
}

void DescribeAreas(PairResult& result, const std::vector<IntRect>& areas) {
    const std::vector<PlacedRegion> regions = PlacedRegions(result.screen);
    for (const IntRect& area : areas) {
        result.areas.push_back({area, RegionsTouched(regions, area)});
    }
    for (const PlacedRegion& region : regions) {
        const bool touched = std::ranges::any_of(result.areas, [&](const DiffArea& area) {
            return std::ranges::find(area.regions, region.name) != area.regions.end();
        });
        if (touched && std::ranges::find(result.regions, region.name) == result.regions.end()) {
            result.regions.push_back(region.name);
        }
    }
}

}  // namespace

std::string_view VerdictName(Verdict verdict) {
    switch (verdict) {
        case Verdict::Same:
            return "same";
        case Verdict::Different:
            return "different";
        case Verdict::SizeDiffers:
            return "size differs";
        case Verdict::Added:
            return "added";
        case Verdict::Removed:
            return "removed";
        case Verdict::Unreadable:
            return "unreadable";
    }
    return {};
}

std::string AreaLine(const DiffArea& area) {
    std::string line = std::to_string(area.rect.w) + "x" + std::to_string(area.rect.h) + " at " +
                       std::to_string(area.rect.x) + "," + std::to_string(area.rect.y);
    for (std::size_t i = 0; i < area.regions.size(); ++i) {
        line += (i ? ", " : ": ") + area.regions[i];
    }
    return line;
}

PairResult ComparePair(const PicturePair& pair, const CompareSettings& settings) {
    PairResult result;
    result.pair = pair;
    if (!pair.approved || !pair.fresh) {
        result.verdict = pair.approved ? Verdict::Removed : Verdict::Added;
        return result;
    }
    const MappedFile approvedFile(*pair.approved);
    const MappedFile freshFile(*pair.fresh);
    if (!approvedFile.Ok() || !freshFile.Ok()) {
        result.verdict = Verdict::Unreadable;
        result.error = approvedFile.Ok() ? freshFile.Error() : approvedFile.Error();
        return result;
    }
    const std::span<const std::uint8_t> approvedBytes = approvedFile.Bytes();
    const std::span<const std::uint8_t> freshBytes = freshFile.Bytes();
    // Identical files decode to identical pixels: checking one that it decodes at all is the
    // whole comparison, and the common case of an unchanged picture costs one pass of memcmp.
    if (std::ranges::equal(approvedBytes, freshBytes)) {
        const DecodeOutcome checked = DecodePicture(approvedBytes, false);
        if (!checked.ok()) {
            result.verdict = Verdict::Unreadable;
            result.error = pair.approved->string() + ": " + checked.error;
            return result;
        }
        result.approvedWidth = result.newWidth = checked.picture.width;
        result.approvedHeight = result.newHeight = checked.picture.height;
        DescribeScreen(result, checked.picture);
        return result;
    }
    DecodeOutcome approved = DecodePicture(approvedBytes);
    DecodeOutcome fresh = approved.ok() ? DecodePicture(freshBytes) : DecodeOutcome{};
    if (!approved.ok() || !fresh.ok()) {
        result.verdict = Verdict::Unreadable;
        result.error = approved.ok() ? pair.fresh->string() + ": " + fresh.error
                                     : pair.approved->string() + ": " + approved.error;
        return result;
    }
    Picture& a = approved.picture;
    Picture& b = fresh.picture;
    const int approvedPixels = a.width * a.height, newPixels = b.width * b.height;
    if (settings.crop) {
        result.error = ApplyCrop(a, b, *settings.crop, pair);
        if (!result.error.empty()) {
            result.verdict = Verdict::Unreadable;
            return result;
        }
    }
    result.approvedWidth = a.width, result.approvedHeight = a.height;
    result.newWidth = b.width, result.newHeight = b.height;
    // The new picture's notes describe it best; an approved capture may have none.
    DescribeScreen(result, b.notes.empty() ? a : b);
    if (a.width != b.width || a.height != b.height) {
        result.verdict = Verdict::SizeDiffers;
        return result;
    }

    DiffSettings diffSettings;
    diffSettings.tolerance = settings.tolerance;
    diffSettings.ignored = IgnoredRects(PlacedRegions(result.screen), settings.ignoredRegions);
    PixelDiff diff = DiffPixels(a, b, diffSettings, settings.pictureFolder.has_value());
    result.differingPixels = diff.differingPixels;
    if (diff.differingPixels == 0) return result;
    result.verdict = Verdict::Different;
    DescribeAreas(result, diff.areas);
    if (settings.pictureFolder) {
        // A side the crop left whole is shown as its own file, which needs no encoding; a crop
        // that kept the width but not the height must still show the cut picture.
        const auto whole = [](const Picture& picture, int pixels,
                              std::span<const std::uint8_t> bytes) {
            return picture.width * picture.height == pixels ? bytes
                                                            : std::span<const std::uint8_t>();
        };
        const ReportPictures written = WriteReportPictures(
            *settings.pictureFolder, PictureStem(pair.name),
            {a, whole(a, approvedPixels, approvedBytes), pair.approved->extension().string()},
            {b, whole(b, newPixels, freshBytes), pair.fresh->extension().string()}, diff.mask);
        if (!written.error.empty()) {
            result.error = written.error;
        } else {
            result.approvedPicture = written.approved;
            result.newPicture = written.fresh;
            result.differencePicture = written.difference;
        }
    }
    return result;
}

std::vector<PairResult> CompareAll(const std::vector<PicturePair>& pairs,
                                   const CompareSettings& settings, unsigned threads) {
    std::vector<PairResult> results(pairs.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < pairs.size(); i = next++) {
            results[i] = ComparePair(pairs[i], settings);
        }
    };
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    threads = static_cast<unsigned>(
        std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(pairs.size(), 1)));
    std::vector<std::thread> workers;
    for (unsigned i = 1; i < threads; ++i) workers.emplace_back(work);
    work();
    for (std::thread& worker : workers) worker.join();
    return results;
}

}  // namespace quorvel::compare
