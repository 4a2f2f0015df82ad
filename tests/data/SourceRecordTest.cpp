#include <gtest/gtest.h>

#include <memory>

#include "data/EntryWriter.h"
#include "data/SourceRecord.h"

namespace quorvel {
namespace {

constexpr EntryKind kKinds[] = {EntryKind::Constellation, EntryKind::Spectrum, EntryKind::Measure};

TEST(SourceRecord, SlotsAndMaskBitsSitAtTheirFileOffsets) {
    struct Case {
        EntryKind kind;
        std::size_t slot, fileOffset, size, maskByte;
        std::uint8_t maskBit;
    };
    const Case cases[] = {
        {EntryKind::Constellation, 0, 8, 4140, 4, 0x01},
        {EntryKind::Constellation, 31, 8 + 31 * 4140, 4140, 7, 0x80},
        {EntryKind::Constellation, 10, 8 + 10 * 4140, 4140, 5, 0x04},
        {EntryKind::Spectrum, 0, 132'500, 252, 132'489, 0x01},
        {EntryKind::Spectrum, 63, 132'500 + 63 * 252, 252, 132'496, 0x80},
        {EntryKind::Measure, 1, 148'768, 128, 148'629, 0x02},
        {EntryKind::Measure, 63, 156'704, 128, 148'636, 0x80},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "kind " << static_cast<int>(c.kind) << " slot " << c.slot);
        auto record = std::make_unique<SourceRecord>();
        const auto slot = record->Slot(c.kind, c.slot);
        EXPECT_EQ(slot.data() - record->bytes.data(), static_cast<std::ptrdiff_t>(c.fileOffset));
        EXPECT_EQ(slot.size(), c.size);
        record->bytes[c.maskByte] = c.maskBit;
        for (const EntryKind kind : kKinds) {
            for (std::size_t other = 0; other < 70; ++other) {
                EXPECT_EQ(IsSlotPresent(*record, kind, other), kind == c.kind && other == c.slot)
                    << "kind " << static_cast<int>(kind) << " slot " << other;
            }
        }
    }
    const auto record = std::make_unique<SourceRecord>();
    EXPECT_TRUE(record->Slot(EntryKind::Constellation, 32).empty());
    EXPECT_TRUE(record->Slot(EntryKind::Measure, 64).empty());
}

TEST(EnsureMagic, KeepsAStampedRecordAndOtherwiseClearsOnlyTheMasks) {
    auto record = std::make_unique<SourceRecord>();
    for (std::size_t i = 0; i < record->bytes.size(); ++i) {
        record->bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    }
    StampMagic(record->bytes);
    auto before = record->bytes;
    EnsureMagic(*record);
    EXPECT_EQ(record->bytes, before);

    // The magic in the wrong byte order.
    for (std::size_t i = 0; i < 4; ++i)
        record->bytes[i] = static_cast<std::uint8_t>(0xAA + 0x11 * i);
    before = record->bytes;
    EnsureMagic(*record);
    StampMagic(before);
    std::size_t cleared = 0;
    for (std::size_t i = 0; i < record->bytes.size(); ++i) {
        const bool inMask =
            (i >= 4 && i <= 7) || (i >= 132'489 && i <= 132'496) || (i >= 148'629 && i <= 148'636);
        if (inMask) {
            EXPECT_EQ(record->bytes[i], 0) << "mask byte " << i;
            cleared += record->bytes[i] == 0;
        } else if (record->bytes[i] != before[i]) {
            ADD_FAILURE() << "byte " << i << " changed";
        }
    }
    EXPECT_EQ(cleared, 20u);
}

}  // namespace
}  // namespace quorvel
