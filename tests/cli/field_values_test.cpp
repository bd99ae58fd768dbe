// NAME=VALUE over the Configuration, and the name style of a header's text.
#include "cli/field_values.h"

#include <gtest/gtest.h>

#include "config/header_reader.h"
#include "config/header_writer.h"
#include "tests/support/configuration_diff.h"

namespace zurcfg {
namespace {

using testing::DifferingFields;

std::string ValueOf(const Configuration& configuration, const std::string& name) {
    for (const FieldValue& field : FieldValues(configuration)) {
        if (field.name == name) {
            return field.value;
        }
    }
    ADD_FAILURE() << name << " not printed";
    return {};
}

Configuration Sample() {
    Configuration configuration;
    configuration.OS_TASKS = 4;
    configuration.OS_ENABLE_QMSG = 1;
    configuration.OS_ENABLE_INT_QUEUE = 1;
    configuration.OS_BANK_OS = 3;
    configuration.OS_BANK_TASKS = 8;  // bank 7 read from a header, beyond the list
    configuration.OS_TIMER_SIZE = 3;
    configuration.OST_MSG = "unsigned char *";
    configuration.PLATFORM = 5;
    configuration.PROJECT_NAME = "Pump";
    return configuration;
}

TEST(FieldValuesTest, PrintsEveryFieldUnderNewStyleNamesAndListTexts) {
    const Configuration sample = Sample();
    EXPECT_EQ(FieldValues(sample).size(), 31u);
    EXPECT_EQ(ValueOf(sample, "OS_TASKS"), "4");
    EXPECT_EQ(ValueOf(sample, "OS_ENABLE_QUEUE"), "1");
    EXPECT_EQ(ValueOf(sample, "OS_ENABLE_INT_QUEUE"), "1");
    EXPECT_EQ(ValueOf(sample, "OS_BANK_OS"), "bank2");
    EXPECT_EQ(ValueOf(sample, "OS_BANK_TASKS"), "7");
    EXPECT_EQ(ValueOf(sample, "OS_BANK_BSEMS"), "BANK_OS");
    EXPECT_EQ(ValueOf(sample, "OS_TIMER_SIZE"), "long");
    EXPECT_EQ(ValueOf(sample, "OS_CSEM_SIZE"), "default (char)");
    EXPECT_EQ(ValueOf(sample, "OS_MSG_TYPE"), "unsigned char *");
    EXPECT_EQ(ValueOf(sample, "PLATFORM"), "PIC24, dsPIC (Microchip C30)");
    EXPECT_EQ(ValueOf(sample, "PROJECT_NAME"), "Pump");
}

TEST(FieldValuesTest, TakesEitherNameStyleListTextsAndHeaderNumbers) {
    // What show prints, set takes back (the bank beyond the list aside).
    Configuration sample = Sample();
    sample.OS_BANK_TASKS = 2;
    Configuration copy;
    for (const FieldValue& field : FieldValues(sample)) {
        EXPECT_EQ(AssignField(copy, field.name, field.value), "") << field.name;
    }
    EXPECT_EQ(DifferingFields(copy, sample), "");

    Configuration changed;
    for (const auto& [name, value] : {std::pair{"OS_ENABLE_QSMSG", "1"},
                                      {"OS_QUEUE_SQUEUE_IDENTICAL", "1"},
                                      {"OS_ENABLE_INT_QMSG", "1"},
                                      {"OST_SMSG", "int"},
                                      {"OS_BANK_STIMERS", "2"},
                                      {"OS_BANK_BSEMS", "BANK3"},
                                      {"OS_TTIMER_SIZE", "4"},
                                      {"OS_STIMER_SIZE", "Char"},
                                      {"PLATFORM", "ht-picc18"},
                                      {"OS_BSEMS", "0"}}) {
        EXPECT_EQ(AssignField(changed, name, value), "") << name;
    }
    Configuration expected;
    expected.OS_ENABLE_QSMSG = 1;
    expected.OS_QUEUES_IDENTICAL = 1;
    expected.OS_ENABLE_INT_QUEUE = 1;
    expected.OST_SMSG = "int";
    expected.OS_BANK_STIMERS = 3;
    expected.OS_BANK_BSEMS = 4;
    expected.OS_TTIMER_SIZE = 3;
    expected.OS_STIMER_SIZE = 1;
    expected.PLATFORM = 3;
    EXPECT_EQ(DifferingFields(changed, expected), "");
}

TEST(FieldValuesTest, RefusesUnknownNamesAndValuesNamingWhatIsAccepted) {
    const struct {
        const char* name;
        const char* value;
        const char* accepted;
    } refused[] = {
        {"OS_TASK", "3", "OS_ENABLE_QUEUE (or OS_ENABLE_QMSG)"},
        {"os_tasks", "3", "the names are OS_TASKS"},
        {"OS_TASKS", "0", "a whole number from 1 to 2147483647"},
        {"OS_BSEMS", "-1", "a whole number from 0 to"},
        {"OS_BSEMS", "3x", "a whole number from 0 to"},
        {"OS_STIMERS", "2147483648", "a whole number from 0 to"},
        {"OS_ENABLE_ALL", "yes", "0 (off) or 1 (on)"},
        {"OS_BANK_OS", "4",
         "\"default (near)\", \"near\", \"bank1\", \"bank2\", \"bank3\", or "
         "a bank number 0 to 3"},
        {"OS_TIMER_SIZE", "3",
         "\"default (int)\", \"char\", \"int\", \"long\", or a size in "
         "bytes 1, 2 or 4"},
        {"PLATFORM", "6", "\"Microchip C30\", or a position 0 to 5"},
        {"PROJECT_NAME", "two\nlines", "control bytes and line breaks cannot stand"},
        {"OST_MSG", "char /* x", "/* or // in it would start a comment"},
        {"OS_SMSG_TYPE", "char // x", "/* or // in it would start a comment"},
        {"OS_MSG_TYPE", "char \\", "at its end would join the next line"},
        {"OS_MSG_TYPE", "char?\?/ ", "at its end would join the next line"},
        {"OS_MSG_TYPE", "ch\x01ar", "control bytes"},
    };
    for (const auto& value : refused) {
        Configuration configuration;
        const std::string refusal = AssignField(configuration, value.name, value.value);
        EXPECT_NE(refusal.find(value.accepted), std::string::npos) << refusal;
        EXPECT_EQ(DifferingFields(configuration, Configuration()), "") << value.name;
    }
}

// The style of a header's text, by the macros it defines.
bool OldStyle(const std::string& text) {
    return UsesOldStyleNames(ParseHeader(text).definedMacros);
}

TEST(FieldValuesTest, TellsTheNameStyleAHeaderUses) {
    Configuration queues;
    queues.OS_ENABLE_QMSG = 1;
    Configuration messageType;
    messageType.OST_MSG = "char";
    EXPECT_TRUE(OldStyle(FormatHeader(queues, {}, {}, true)));
    EXPECT_FALSE(OldStyle(FormatHeader(queues, {}, {}, false)));
    EXPECT_TRUE(OldStyle(FormatHeader(messageType, {}, {}, true)));
    EXPECT_FALSE(OldStyle(FormatHeader(messageType, {}, {}, false)));
    // Neither style's names: new-style.
    EXPECT_FALSE(OldStyle(FormatHeader(Configuration(), {}, {}, true)));
    EXPECT_TRUE(OldStyle("#define\tOST_SMSG int\r\n"));
    EXPECT_TRUE(OldStyle("  #  define OS_ENABLE_QMSG\n"));
    EXPECT_FALSE(OldStyle("// #define OS_ENABLE_QMSG\n/* #define OST_MSG char */\n"));
    EXPECT_FALSE(OldStyle("#define OS_ENABLE_QMSG\n#define OS_ENABLE_SQUEUE\n"));
}

TEST(FieldValuesTest, RefusesWhatTheWindowGreysForTheValuesSet) {
    Configuration before;
    Configuration after = before;
    after.OS_ENABLE_INT_CSEM = 1;
    EXPECT_EQ(GreyedRefusal(before, after, "OS_ENABLE_INT_CSEM"),
              "Greyed: needs 'Enable all' checked or CSEM 'Enable' checked");
    after.OS_ENABLE_CSEM = 1;
    EXPECT_EQ(GreyedRefusal(before, after, "OS_ENABLE_INT_CSEM"), "");
    // A list moved while greyed, under either style's name; a switch turned off is no change the
    // window would refuse.
    after.OS_STIMER_SIZE = 2;
    EXPECT_EQ(GreyedRefusal(before, after, "OS_STIMER_SIZE"),
              "Greyed: the static timer count is 0");
    before.OS_ENABLE_QMSG = 1;
    after.OS_ENABLE_ALL = 1;
    after.OS_ENABLE_QMSG = 0;
    EXPECT_EQ(GreyedRefusal(before, after, "OS_ENABLE_QUEUE"), "");
    after.OS_ENABLE_QSMSG = 1;
    EXPECT_EQ(GreyedRefusal(before, after, "OS_ENABLE_QSMSG"), "Greyed: 'Enable all' is checked");
    EXPECT_EQ(GreyedRefusal(before, after, "OS_TASKS"), "");
}

}  // namespace
}  // namespace zurcfg
