#include <gtest/gtest.h>

#include "export/CsvTable.h"

namespace quorvel {
namespace {

constexpr CsvDialect kEuropean{';', ','};

TEST(CsvTable, FieldsAreQuotedExactlyWhenTheyMustBe) {
    const struct {
        const char* field;
        const char* written;
        CsvDialect dialect = {};
    } cases[] = {
        {"", ""},
        {"12.5", "12.5"},
        {"Σπέκτρο", "Σπέκτρο"},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"\"", "\"\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"cr\r", "\"cr\r\""},
        {" padded", "\" padded\""},
        {"padded ", "\"padded \""},
        {"in side", "in side"},
        // Texts a spreadsheet would run as formulas are marked as text; numbers stay numbers.
        {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
        {"+1", "'+1"},
        {"@sum", "'@sum"},
        {"-", "'-"},
        {"-1-2", "'-1-2"},
        {"-.5", "'-.5"},
        {"\tx", "'\tx"},
        {"\rx", "\"'\rx\""},
        {"-52", "-52"},
        {"-52.25", "-52.25"},
        {"a=b", "a=b"},
        {"-2.3E-5", "-2.3E-5"},
        {"-1,5", "\"'-1,5\""},
        // Only the dialect's separator needs quotes; a decimal comma turns numbers only.
        {"a;b", "a;b"},
        {"a;b", "\"a;b\"", kEuropean},
        {"a,b", "a,b", kEuropean},
        {"a\tb", "\"a\tb\"", {'\t', '.'}},
        {"a,b", "a,b", {'\t', '.'}},
        {"-52.25", "-52,25", kEuropean},
        {"-1,5", "-1,5", kEuropean},
        {"12.5", "\"12,5\"", {',', ','}},
        {"2.3E-5", "2,3E-5", kEuropean},
        {"1.5E+3", "1,5E+3", kEuropean},
        {"1.5E", "1.5E", kEuropean},
        {"1.5E-", "1.5E-", kEuropean},
        {"<1.0E-9", "<1.0E-9", kEuropean},
        {"Astra 19.2E", "Astra 19.2E", kEuropean},
        {"019.2° E", "019.2° E", kEuropean},
        {"1.2.3", "1.2.3", kEuropean},
        {"-1.5x", "'-1.5x", kEuropean},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CsvField(c.field, c.dialect), c.written)
            << c.field << " between '" << c.dialect.separator << "'";
    }
    // Tab-separated fields: nothing in a text may split a row or a column.
    EXPECT_EQ(TsvField("a\tb\nc\rd\\e f"), "a\\tb\\nc\\rd\\\\e f");
}

TEST(CsvTable, ByteOrderMarkThenHeaderThenRowsEachEndedByCrLf) {
    const std::string bom = "\xEF\xBB\xBF";
    EXPECT_EQ(CsvText({{"a (x)", "b"}, {{"1", "2,5"}, {"", "q"}}}),
              bom + "a (x),b\r\n1,\"2,5\"\r\n,q\r\n");
    EXPECT_EQ(CsvText({{"only"}, {}}), bom + "only\r\n");
    EXPECT_EQ(CsvText({{"C/N (dB)", "x;y"}, {{"12.5", "-3"}}}, kEuropean),
              bom + "C/N (dB);\"x;y\"\r\n12,5;-3\r\n");
}

}  // namespace
}  // namespace quorvel
