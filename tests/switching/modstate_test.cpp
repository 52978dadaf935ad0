// Reading and writing the store files.
#include "switching/modstate.h"
#include "tempfolder.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace zark::test {
namespace {

constexpr int kPastEnd = 62;
constexpr int kOverflow = 6;

struct ParseCase {
    const char* label;
    std::string content;
    ModState value;   // expected when `failure` is 0
    int failure = 0;  // expected failure number
};

std::ostream& operator<<(std::ostream& out, const ParseCase& c) { return out << c.label; }

class Parse : public testing::TestWithParam<ParseCase> {};

TEST_P(Parse, ReadsFirstItem) {
    const ParseCase& c = GetParam();
    const ModStateRead read = ParseModState(c.content, "zarkdata.dat");
    if (c.failure == 0) {
        ASSERT_TRUE(std::holds_alternative<ModState>(read)) << std::get<Failure>(read).description;
        EXPECT_EQ(std::get<ModState>(read), c.value);
    } else {
        ASSERT_TRUE(std::holds_alternative<Failure>(read)) << std::get<ModState>(read);
        const Failure& failure = std::get<Failure>(read);
        EXPECT_EQ(failure.number, c.failure);
        EXPECT_EQ(failure.description, c.failure == kPastEnd ? "Input past end of file" : "Overflow");
        EXPECT_EQ(failure.file, "zarkdata.dat");
    }
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Store, Parse,
    testing::Values(
        // As the launcher writes it, and as editors and other programs may leave it.
        ParseCase{"OneWithCrLf", "1\r\n", 1}, ParseCase{"TwoWithCrLf", "2\r\n", 2},
        ParseCase{"TwoWithoutLineBreak", "2", 2}, ParseCase{"FurtherLines", "2\r\n1\r\nmore\r\n", 2},
        ParseCase{"Three", "3\r\n", 3}, ParseCase{"Zero", "0\r\n", 0}, ParseCase{"EmptyFirstLine", "\r\n2\r\n", 0},
        ParseCase{"EmptyFirstLineLf", "\n2", 0}, ParseCase{"LeadingComma", ",2", 0},
        ParseCase{"BlanksThenLineBreak", "  \r\n2", 0},
        // Where the item starts and ends.
        ParseCase{"LeadingBlanks", "   7\r\n", 7}, ParseCase{"LeadingTab", "\t 7", 7},
        ParseCase{"EndsAtComma", "7,8", 7}, ParseCase{"EndsAtBlank", "7 8", 7}, ParseCase{"EndsAtLf", "7\n8", 7},
        ParseCase{"EndsAtCr", "7\r8", 7},
        // Range.
        ParseCase{"Max", "32767", 32767}, ParseCase{"Min", "-32768", -32768},
        ParseCase{"AboveMax", "32768\r\n", 0, kOverflow}, ParseCase{"BelowMin", "-32769", 0, kOverflow},
        ParseCase{"LongNumber", "123456789012345678901234567890", 0, kOverflow},
        ParseCase{"LongNegative", "-99999999999999999999999", 0, kOverflow},
        ParseCase{"LeadingZeros", "0000000000000000000000001", 1},
        // Nothing to read.
        ParseCase{"ZeroBytes", "", 0, kPastEnd}, ParseCase{"OnlyBlanks", "  \t ", 0, kPastEnd},
        // Not a plain number: sign and leading digits count, the rest of the item is ignored.
        ParseCase{"PlusSign", "+5", 5}, ParseCase{"MinusSign", "-2", -2}, ParseCase{"Letters", "abc", 0},
        ParseCase{"DigitsThenLetters", "12abc", 12}, ParseCase{"SignOnly", "-", 0}, ParseCase{"Fraction", "2.9", 2},
        ParseCase{"Quoted", "\"1\"", 0},
        ParseCase{"NulByte",
                  "\0"
                  "1"s,
                  0}),
    [](const testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.label); });

// A store write's temporary file is <store>.<process>.<count>.tmp: repair removes such files,
// and must take nothing else for one.
TEST(StoreTemporary, IsOnlyAStoreNameWithTwoNumbersAndTmp) {
    const std::pair<const char*, bool> names[] = {
        {"zarkdata.dat.4711.3.tmp", true}, {"zarkdata2.dat.1.22.tmp", true},       {"zarkdata.dat.tmp", false},
        {"zarkdata.dat.4711.tmp", false},  {"zarkdata.dat.4711.3.tmp.bak", false}, {"zarkdata.dat.47a1.3.tmp", false},
        {"zarkdata.dat..3.tmp", false},    {"zarkdata.dat.4711.3.TMP", false},     {"zarkdata3.dat.4711.3.tmp", false},
        {"rules.ini.4711.3.tmp", false},   {"xzarkdata.dat.4711.3.tmp", false},    {"zarkdata.dat", false},
    };
    for (const auto& [name, temporary] : names) EXPECT_EQ(IsStoreTemporary(name), temporary) << name;
}

class Store : public testing::Test {
    TempFolder folder_;
};

TEST_F(Store, ReadsFromFile) {
    writeFile("zarkdata2.dat", "2\r\n");
    const ModStateRead read = ReadModState(realFileSystem(), "zarkdata2.dat");
    ASSERT_TRUE(std::holds_alternative<ModState>(read));
    EXPECT_EQ(std::get<ModState>(read), 2);
}

TEST_F(Store, MissingFileFailsAndIsNotCreated) {
    const ModStateRead read = ReadModState(realFileSystem(), "zarkdata.dat");
    ASSERT_TRUE(std::holds_alternative<Failure>(read));
    const Failure& failure = std::get<Failure>(read);
    EXPECT_EQ(failure.number, ENOENT);
    EXPECT_EQ(failure.description, std::strerror(ENOENT));
    EXPECT_EQ(failure.file, "zarkdata.dat");
    EXPECT_TRUE(snapshot().empty());
}

TEST_F(Store, ZeroByteFileFailsPastEnd) {
    writeFile("zarkdata.dat", "");
    const ModStateRead read = ReadModState(realFileSystem(), "zarkdata.dat");
    ASSERT_TRUE(std::holds_alternative<Failure>(read));
    EXPECT_EQ(std::get<Failure>(read).number, kPastEnd);
    EXPECT_EQ(std::get<Failure>(read).file, "zarkdata.dat");
}

TEST_F(Store, WriteLeavesDigitsAndCrLfOnly) {
    writeFile("zarkdata.dat", "2\r\n1\r\nfurther lines\r\n");
    ASSERT_FALSE(WriteModState(realFileSystem(), "zarkdata.dat", kActive));
    EXPECT_EQ(snapshot(), (Snapshot{{"zarkdata.dat", "1\r\n"}}));  // and no temporary file
    ASSERT_FALSE(WriteModState(realFileSystem(), "zarkdata.dat", kInactive));
    EXPECT_EQ(snapshot(), (Snapshot{{"zarkdata.dat", "2\r\n"}}));
}

TEST_F(Store, WriteCreatesMissingFile) {
    ASSERT_FALSE(WriteModState(realFileSystem(), "zarkdata2.dat", -32768));
    EXPECT_EQ(snapshot(), (Snapshot{{"zarkdata2.dat", "-32768\r\n"}}));
}

TEST_F(Store, WriteKeepsPermissions) {
    writeFile("zarkdata.dat", "2\r\n");
    ASSERT_EQ(::chmod("zarkdata.dat", 0640), 0);
    ASSERT_FALSE(WriteModState(realFileSystem(), "zarkdata.dat", kActive));
    struct stat st {};
    ASSERT_EQ(::stat("zarkdata.dat", &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

}  // namespace
}  // namespace zark::test
