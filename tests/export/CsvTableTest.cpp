#include <gtest/gtest.h>

#include "export/CsvTable.h"

namespace quorvel {
namespace {

TEST(CsvTable, FieldsAreQuotedExactlyWhenTheyMustBe) {
    const struct {
        const char* field;
        const char* written;
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
    };
    for (const auto& c : cases) EXPECT_EQ(CsvField(c.field), c.written) << c.field;
    // Tab-separated fields: nothing in a text may split a row or a column.
    EXPECT_EQ(TsvField("a\tb\nc\rd\\e f"), "a\\tb\\nc\\rd\\\\e f");
}

TEST(CsvTable, ByteOrderMarkThenHeaderThenRowsEachEndedByCrLf) {
    const std::string bom = "\xEF\xBB\xBF";
    EXPECT_EQ(CsvText({{"a (x)", "b"}, {{"1", "2,5"}, {"", "q"}}}),
              bom + "a (x),b\r\n1,\"2,5\"\r\n,q\r\n");
    EXPECT_EQ(CsvText({{"only"}, {}}), bom + "only\r\n");
}

}  // namespace
}  // namespace quorvel
