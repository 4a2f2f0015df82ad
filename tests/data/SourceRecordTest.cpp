#include <gtest/gtest.h>

#include "RecordBuilder.h"
#include "data/SourceRecord.h"

namespace quorvel {
namespace {

using test::MakeRecord;

TEST(SourceRecord, SlotsStartAtTheirFileOffsets) {
    struct Case {
        EntryKind kind;
        std::size_t slot;
        std::size_t fileOffset;
        std::size_t size;
    };
    const Case cases[] = {
        {EntryKind::Constellation, 0, 8, 4140}, {EntryKind::Constellation, 31, 8 + 31 * 4140, 4140},
        {EntryKind::Spectrum, 0, 132'500, 252}, {EntryKind::Spectrum, 63, 132'500 + 63 * 252, 252},
        {EntryKind::Measure, 0, 148'640, 128},  {EntryKind::Measure, 63, 156'704, 128},
    };
    const auto record = MakeRecord();
    for (const Case& c : cases) {
        const auto slot = record->Slot(c.kind, c.slot);
        EXPECT_EQ(slot.data() - record->bytes.data(), static_cast<std::ptrdiff_t>(c.fileOffset))
            << "kind " << static_cast<int>(c.kind) << " slot " << c.slot;
        EXPECT_EQ(slot.size(), c.size);
    }
    EXPECT_TRUE(record->Slot(EntryKind::Constellation, 32).empty());
    EXPECT_TRUE(record->Slot(EntryKind::Measure, 64).empty());
}

TEST(SourceRecord, MaskBitsAreLeastSignificantFirst) {
    struct Case {
        std::size_t maskByte;
        std::uint8_t value;
        EntryKind kind;
        std::size_t presentSlot;
    };
    const Case cases[] = {
        {4, 0x01, EntryKind::Constellation, 0},   {7, 0x80, EntryKind::Constellation, 31},
        {5, 0x04, EntryKind::Constellation, 10},  {132'489, 0x01, EntryKind::Spectrum, 0},
        {132'496, 0x80, EntryKind::Spectrum, 63}, {148'629, 0x02, EntryKind::Measure, 1},
        {148'636, 0x80, EntryKind::Measure, 63},
    };
    for (const Case& c : cases) {
        auto record = MakeRecord();
        record->bytes[c.maskByte] = c.value;
        const std::size_t slots = record::LayoutOf(c.kind).slots;
        for (std::size_t slot = 0; slot < slots; ++slot) {
            EXPECT_EQ(IsSlotPresent(*record, c.kind, slot), slot == c.presentSlot)
                << "mask byte " << c.maskByte << " slot " << slot;
        }
        // No other kind sees the bit.
        for (EntryKind other :
             {EntryKind::Spectrum, EntryKind::Constellation, EntryKind::Measure}) {
            if (other == c.kind) continue;
            for (std::size_t slot = 0; slot < record::LayoutOf(other).slots; ++slot) {
                EXPECT_FALSE(IsSlotPresent(*record, other, slot));
            }
        }
    }
}

TEST(SourceRecord, SlotsBeyondTheKindAreNeverPresent) {
    auto record = MakeRecord();
    // Byte 8 is the first byte of constellation slot 0, right after the 32-bit mask.
    record->bytes[8] = 0xFF;
    EXPECT_FALSE(IsSlotPresent(*record, EntryKind::Constellation, 32));
    EXPECT_FALSE(IsSlotPresent(*record, EntryKind::Measure, 64));
    EXPECT_FALSE(IsSlotPresent(*record, EntryKind::Spectrum, 255));
}

TEST(EnsureMagic, KeepsARecordThatHasIt) {
    auto record = MakeRecord();
    record->bytes[4] = 0xFF;
    record->bytes[132'496] = 0x80;
    record->bytes[148'636] = 0x01;
    const auto before = record->bytes;
    EnsureMagic(*record);
    EXPECT_EQ(record->bytes, before);
}

TEST(EnsureMagic, StampsTheMagicAndClearsOnlyTheMasks) {
    auto record = MakeRecord(false);
    // Magic in the wrong byte order.
    record->bytes[0] = 0xAA;
    record->bytes[1] = 0xBB;
    record->bytes[2] = 0xCC;
    record->bytes[3] = 0xDD;
    for (std::size_t i = 4; i < record->bytes.size(); ++i) {
        record->bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    }
    const auto before = record->bytes;
    EnsureMagic(*record);

    EXPECT_EQ(record->bytes[0], 0xDD);
    EXPECT_EQ(record->bytes[1], 0xCC);
    EXPECT_EQ(record->bytes[2], 0xBB);
    EXPECT_EQ(record->bytes[3], 0xAA);
    auto inMask = [](std::size_t i) {
        return (i >= 4 && i <= 7) || (i >= 132'489 && i <= 132'496) ||
               (i >= 148'629 && i <= 148'636);
    };
    std::size_t cleared = 0;
    for (std::size_t i = 4; i < record->bytes.size(); ++i) {
        if (inMask(i)) {
            EXPECT_EQ(record->bytes[i], 0) << "mask byte " << i;
            ++cleared;
        } else if (record->bytes[i] != before[i]) {
            ADD_FAILURE() << "byte " << i << " changed";
        }
    }
    EXPECT_EQ(cleared, 20u);
}

}  // namespace
}  // namespace quorvel
