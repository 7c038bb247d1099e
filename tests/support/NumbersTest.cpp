#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <span>
#include <string>

#include "support/Numbers.h"
#include "testing/ScopedEnvironment.h"

namespace tonzug {
namespace {

constexpr NumberFormat kGerman{',', '.'};
constexpr NumberFormat kPlainC{'.', ','};

// Runs a test under a fixed number format and puts the previous one back.
class NumbersTest : public ::testing::Test {
  protected:
    void SetUp() override { saved_ = UserNumberFormat(); }
    void TearDown() override { SetUserNumberFormat(saved_); }

  private:
    NumberFormat saved_;
};

constexpr std::nullopt_t kNone = std::nullopt;

struct IntCase {
    const char* text;
    std::optional<std::int32_t> expected;
};

void ExpectInts(NumberFormat format, std::span<const IntCase> cases) {
    SetUserNumberFormat(format);
    for (const IntCase& c : cases) {
        EXPECT_EQ(TextToInt32(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST_F(NumbersTest, TextToInt32InCFormat) {
    const IntCase cases[] = {
        {"  -7\t", -7},     {"+12", 12},
        {"2.5", 2},         {"3.5", 4},
        {".5", 0},          {"5.", 5},
        {"1,234", 1234},    {"1e3", 1000},
        {"&HFF", 255},      {"&O17", 15},
        {"&HFFFFFFFF", -1}, {"-2147483648", std::numeric_limits<std::int32_t>::min()}};
    ExpectInts(kPlainC, cases);
    for (const char* refused :
         {"2147483647.5", "&H100000000", "1e400", "", "-", "12abc", ",5", "1 000", "&H", "--5"}) {
        EXPECT_EQ(TextToInt32(refused), std::nullopt) << '"' << refused << '"';
    }
}

// The full stop groups digits in German; a separator equal to the decimal point, or
// none, groups nothing.
TEST_F(NumbersTest, TextToInt32InOtherFormats) {
    const IntCase german[] = {{"3,5", 4}, {"1.5", 15}, {"1,5e2", 150}, {"1,2,3", kNone}};
    ExpectInts(kGerman, german);
    const IntCase same[] = {{"1,5", 2}, {"1,234", 1}};
    ExpectInts(NumberFormat{',', ','}, same);
    const IntCase none[] = {{"1,234", kNone}, {"1.5", 2}};
    ExpectInts(NumberFormat{'.', '\0'}, none);
}

TEST_F(NumbersTest, TextToSingleKeepsFractionsAndChecksRange) {
    SetUserNumberFormat(kGerman);
    EXPECT_EQ(TextToSingle("12,25"), 12.25f);
    EXPECT_EQ(TextToSingle("1e-50"), 0.0f);
    EXPECT_EQ(TextToSingle("3e38"), 3e38f);
    EXPECT_EQ(TextToSingle("4e38"), std::nullopt);
    SetUserNumberFormat(kPlainC);
    EXPECT_EQ(TextToSingle("12.25"), 12.25f);
    EXPECT_EQ(TextToSingle("12,25"), 1225.0f);
}

TEST_F(NumbersTest, EnvironmentWithoutGroupingFallsBackToComma) {
    const testing::ScopedEnvironment locale("LC_ALL", "C");
    const NumberFormat format = NumberFormatFromEnvironment();
    EXPECT_EQ(format.decimalPoint, '.');
    EXPECT_EQ(format.groupSeparator, ',');
}

TEST(LeadingNumber, ReadsTheLeadingNumberOnly) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {{" 2 45 7", 2457.0},  {"24 and 57", 24.0}, {"1\t2\n3", 123.0}, {"12.5px", 12.5},
                 {"1.2.3", 1.2},       {"- 5", -5.0},       {"+.5", 0.5},       {"1,5", 1.0},
                 {"1E-2x", 0.01},      {"1e+", 1.0},        {"&HFFzz", 255.0},  {"&HFFFF", -1.0},
                 {"&H10000", 65536.0}, {"&O777", 511.0},    {"&H", 0.0},        {"abc", 0.0},
                 {".", 0.0},           {"1e999", 0.0},      {"\r5", 0.0}};
    for (const auto& c : cases) {
        EXPECT_EQ(LeadingNumber(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(RoundToInt32, TiesGoToEvenAndRangeIsChecked) {
    EXPECT_EQ(RoundToInt32(1.5), 2);
    EXPECT_EQ(RoundToInt32(2.5), 2);
    EXPECT_EQ(RoundToInt32(-1.5), -2);
    EXPECT_EQ(RoundToInt32(2147483647.4), 2147483647);
    EXPECT_EQ(RoundToInt32(2147483647.5), std::nullopt);
    EXPECT_EQ(RoundToInt32(-2147483648.5), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(RoundToInt32(-2147483649.0), std::nullopt);
    EXPECT_EQ(RoundToInt32(std::nan("")), std::nullopt);
    EXPECT_EQ(NarrowToInt16(-32768), -32768);
    EXPECT_EQ(NarrowToInt16(32768), std::nullopt);
    EXPECT_EQ(IntegerText(-2147483648LL), "-2147483648");
}

}  // namespace
}  // namespace tonzug
