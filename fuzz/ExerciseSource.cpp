#include "fuzz/ExerciseSource.h"

#include <stdlib.h>
#include <unistd.h>

#include <QImage>
#include <array>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "data/Catalogue.h"
#include "data/SourceRecord.h"
#include "render/ScreenPainter.h"
#include "render/ScreenRecording.h"
#include "render/SpectrumTrace.h"

namespace quorvel {

namespace {

constexpr std::array kDvbTypes{DvbType::Cable, DvbType::Terrestrial, DvbType::Satellite};
constexpr std::array kLanguages{Language::English, Language::French};
constexpr std::array<std::uint8_t, 3> kReferenceLevels{0, 40, 75};
constexpr std::array kCursorMoves{550, 999};
constexpr int kFirstCursorX = 101;

using Area = std::vector<IntRect>;
const Area kWholeScreenArea{kWholeScreen};
const Area kMoreBandArea{constellation::kMoreBand};

// A file that exists only for the duration of one load.
class TemporarySourceFile {
  public:
    explicit TemporarySourceFile(std::span<const std::uint8_t> bytes) {
        std::string pattern = (std::filesystem::temp_directory_path() / "quorvel-exercise-XXXXXX");
        const int descriptor = ::mkstemp(pattern.data());
        if (descriptor < 0) return;
        m_path = pattern;
        std::size_t written = 0;
        while (written < bytes.size()) {
            const ssize_t put = ::write(descriptor, bytes.data() + written, bytes.size() - written);
            if (put <= 0) break;
            written += static_cast<std::size_t>(put);
        }
        ::close(descriptor);
        m_complete = written == bytes.size();
    }
    TemporarySourceFile(const TemporarySourceFile&) = delete;
    TemporarySourceFile& operator=(const TemporarySourceFile&) = delete;
    ~TemporarySourceFile() {
        if (!m_path.empty()) ::unlink(m_path.c_str());
    }

    bool Complete() const { return m_complete; }
    const std::filesystem::path& Path() const { return m_path; }

  private:
    std::filesystem::path m_path;
    bool m_complete = false;
};

// One screen image painted the way the window paints it (a pointer move re-records only the
// cursor), with the report kept up to date.
class Painter {
  public:
    Painter(const Catalogue& catalogue, ExerciseReport& report)
        : m_catalogue(catalogue),
          m_report(report),
          m_screen(NewScreenImage()),
          m_reference(NewScreenImage()) {}

    void Paint(const Area& area, const ScreenState& state) {
        ReplayScreen(m_screen, area, m_recorder.Record(state, m_catalogue));
        ++m_report.passes;
    }

    // The partial repaints must leave exactly the pixels a full repaint of `state` gives. The
    // reference image is reused: a fresh 3.6 MB image per check would cost more than the pass.
    void CheckAgainstFullRepaint(const ScreenState& state) {
        const auto size = static_cast<std::size_t>(m_screen.sizeInBytes());
        std::memcpy(m_reference.bits(), m_screen.constBits(), size);
        PaintScreen(m_reference, kWholeScreenArea, state, m_catalogue);
        ++m_report.passes;
        if (std::memcmp(m_reference.constBits(), m_screen.constBits(), size) != 0) {
            ++m_report.repaintMismatches;
        }
    }

  private:
    const Catalogue& m_catalogue;
    ExerciseReport& m_report;
    ScreenRecorder m_recorder;
    QImage m_screen;
    QImage m_reference;
};

void PaintMeasures(Painter& painter, ScreenState state, std::size_t count) {
    state.category = Category::Measure;
    for (std::size_t position = 0; position < count; ++position) {
        state.measureSelection = static_cast<int>(position);
        painter.Paint(kWholeScreenArea, state);
    }
}

void PaintConstellations(Painter& painter, ScreenState state, std::size_t count) {
    state.category = Category::Constellation;
    for (std::size_t position = 0; position < count; ++position) {
        state.constellationSelection = static_cast<int>(position);
        state.showMore = false;
        painter.Paint(kWholeScreenArea, state);
        // F1 repaints only the band the More view covers.
        state.showMore = true;
        painter.Paint(kMoreBandArea, state);
        painter.CheckAgainstFullRepaint(state);
    }
}

void PaintSpectra(Painter& painter, ScreenState state, std::size_t count) {
    state.category = Category::Spectrum;
    for (std::size_t position = 0; position < count; ++position) {
        state.spectrumSelection = static_cast<int>(position);
        state.cursorX = kFirstCursorX;
        for (const std::uint8_t level : kReferenceLevels) {
            state.referenceLevel = level;
            painter.Paint(kWholeScreenArea, state);
        }
        // A pointer move repaints the strips of the old and the new cursor column.
        for (const int cursorX : kCursorMoves) {
            const Area strips{spectrum::CursorStrip(state.cursorX), spectrum::CursorStrip(cursorX)};
            state.cursorX = cursorX;
            painter.Paint(strips, state);
        }
        painter.CheckAgainstFullRepaint(state);
    }
}

}  // namespace

ExerciseReport ExerciseSource(std::span<const std::uint8_t> bytes) {
    ExerciseReport report;
    auto record = std::make_unique<SourceRecord>();
    {
        const TemporarySourceFile file(bytes);
        if (!file.Complete()) return report;
        report.outcome = LoadSourceFile(file.Path(), *record);
    }
    if (report.outcome != LoadOutcome::Loaded) return report;

    auto catalogue = std::make_unique<Catalogue>();
    Painter painter(*catalogue, report);
    for (const DvbType dvbType : kDvbTypes) {
        // The record stays loaded across rebuilds, as it does when the DVB Type menu changes.
        RebuildCatalogue(*record, dvbType, *catalogue);
        report.listedEntries +=
            static_cast<int>(catalogue->measure.Count() + catalogue->constellation.Count() +
                             catalogue->spectrum.Count());
        for (const Language language : kLanguages) {
            ScreenState state;
            state.dvbType = dvbType;
            state.language = language;
            // What the window shows right after the rebuild.
            SelectAfterRebuild(state, *catalogue);
            painter.Paint(kWholeScreenArea, state);  // black when nothing is listed
            PaintMeasures(painter, state, catalogue->measure.Count());
            PaintConstellations(painter, state, catalogue->constellation.Count());
            PaintSpectra(painter, state, catalogue->spectrum.Count());
        }
    }
    return report;
}

}  // namespace quorvel
