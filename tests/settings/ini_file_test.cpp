#include <gtest/gtest.h>

#include <string>

#include "settings/ini_file.h"

namespace zurcfg {
namespace {

using namespace std::string_literals;

// A settings file as the Windows functions and a hand edit leave it: CR LF, blanks around "=",
// quoted values, comments, a foreign section and names in mixed letter case.
const std::string kWindowsFile =
    "; written on a Windows machine\r\n"
    "[Services]\r\n"
    "  Os_Tasks = 7 \r\n"
    "os_bsems\t=\t\"3\"\r\n"
    "; OS_STIMERS=9 is switched off\r\n"
    "\r\n"
    "[Other Program]\r\n"
    "OS_TASKS=99\r\n"
    "window=10,20\r\n"
    "[ TYPES ]\r\n"
    "OST_MSG = ' unsigned char '\r\n"
    "OST_SMSG=\"char\r\n";

TEST(IniFileReadTest, WindowsWrittenFileReadsRight) {
    const IniFile file(kWindowsFile);
    EXPECT_EQ(file.ReadInt("SERVICES", "OS_TASKS", -5), 7);
    EXPECT_EQ(file.ReadInt("SERVICES", "OS_BSEMS", -5), 3);
    EXPECT_EQ(file.ReadInt("SERVICES", "OS_STIMERS", -5), -5);
    EXPECT_EQ(file.ReadText("other program", "WINDOW", ""), "10,20");
    // Quotes go as one matching pair, with what lies inside them kept.
    EXPECT_EQ(file.ReadText("types", "ost_msg", ""), " unsigned char ");
    EXPECT_EQ(file.ReadText("TYPES", "OST_SMSG", ""), "\"char");
}

TEST(IniFileReadTest, AbsentSectionKeyOrFileGivesTheDefault) {
    const IniFile file("[A]\r\nkey=value\r\nempty=\r\nquoted=\"\"\r\n");
    EXPECT_EQ(file.ReadText("B", "key", "fallback"), "fallback");
    EXPECT_EQ(file.ReadText("A", "other", "fallback"), "fallback");
    EXPECT_EQ(IniFile().ReadText("A", "key", "fallback"), "fallback");
    EXPECT_EQ(IniFile::Load("/nonexistent/folder/file.ini").ReadInt("A", "key", 42), 42);
    // Neither a folder nor an endless device is read as a file.
    EXPECT_EQ(IniFile::Load(".").Bytes(), "");
#ifdef _WIN32
    EXPECT_EQ(IniFile::Load("NUL").Bytes(), "");
#else
    EXPECT_EQ(IniFile::Load("/dev/zero").Bytes(), "");
#endif
    // Reading tells what is missing from what cannot be read, which a save must not replace.
    EXPECT_TRUE(IniFile::Read("/nonexistent/folder/file.ini").has_value());
    EXPECT_FALSE(IniFile::Read(".").has_value());
    // An existing key with an empty value is the empty text.
    EXPECT_EQ(file.ReadText("A", "empty", "fallback"), "");
    EXPECT_EQ(file.ReadText("A", "quoted", "fallback"), "");
}

TEST(IniFileReadTest, FirstSectionAndFirstKeyOfANameWin) {
    const IniFile file(
        "[A]\nkey=first\nKEY=second\n"
        "[a]\nkey=third\nlate=in the second A\n");
    EXPECT_EQ(file.ReadText("A", "key", ""), "first");
    EXPECT_EQ(file.ReadText("A", "late", "absent"), "absent");
}

TEST(IniFileReadTest, LinesOutsideKeysAreIgnored) {
    const IniFile file(
        "before=the first section\n"
        "[A] trailing text ] more\n"
        "no equals sign here\n"
        "  ; key=commented\n"
        "key = a ; b\n"
        "[B\n"
        "open=header\n");
    EXPECT_EQ(file.ReadText("", "before", "none"), "none");
    EXPECT_EQ(file.ReadText("A", "no equals sign here", "none"), "none");
    EXPECT_EQ(file.ReadText("A", "; key", "none"), "none");
    // A comment sign inside a value is part of it.
    EXPECT_EQ(file.ReadText("A", "key", ""), "a ; b");
    // A header without "]" names the rest of its line.
    EXPECT_EQ(file.ReadText("B", "open", ""), "header");
}

TEST(IniFileReadTest, EveryLineBreakEndsALine) {
    const IniFile file("\xEF\xBB\xBF[A]\rone=1\ntwo=2\r\nthree=3\n\rfour=4");
    EXPECT_EQ(file.ReadInt("A", "one", 0), 1);
    EXPECT_EQ(file.ReadInt("A", "two", 0), 2);
    EXPECT_EQ(file.ReadInt("A", "three", 0), 3);
    EXPECT_EQ(file.ReadInt("A", "four", 0), 4);
}

TEST(IniFileReadTest, TextIsCutTo4095Characters) {
    const std::string longValue(5000, 'x');
    const IniFile file("[A]\r\nkey=" + longValue + "\r\nexact=" + longValue.substr(0, 4095));
    EXPECT_EQ(file.ReadText("A", "key", ""), longValue.substr(0, 4095));
    EXPECT_EQ(file.ReadText("A", "exact", "").size(), 4095u);
}

int32_t IntOf(const std::string& value, int32_t fallback = -77) {
    return IniFile("[A]\nkey=" + value + "\n").ReadInt("A", "key", fallback);
}

TEST(IniFileReadTest, IntegersReadAsWindowsReadsThem) {
    EXPECT_EQ(IntOf("42"), 42);
    EXPECT_EQ(IntOf("  -17  "), -17);
    EXPECT_EQ(IntOf("+8"), 8);
    EXPECT_EQ(IntOf("12abc"), 12);
    EXPECT_EQ(IntOf("0x1F"), 31);
    EXPECT_EQ(IntOf("0XfFz"), 255);
    EXPECT_EQ(IntOf("-0x10"), -16);
    EXPECT_EQ(IntOf("\"5\""), 5);
    EXPECT_EQ(IntOf("007"), 7);
    // No digits give 0, an empty value the default.
    EXPECT_EQ(IntOf("abc"), 0);
    EXPECT_EQ(IntOf("-"), 0);
    EXPECT_EQ(IntOf("0x"), 0);
    EXPECT_EQ(IntOf("- 5"), 0);
    EXPECT_EQ(IntOf(""), -77);
    EXPECT_EQ(IntOf("   "), -77);
}

TEST(IniFileReadTest, IntegersWrapModulo2To32) {
    EXPECT_EQ(IntOf("2147483647"), 2147483647);
    EXPECT_EQ(IntOf("2147483648"), INT32_MIN);
    EXPECT_EQ(IntOf("4294967295"), -1);
    EXPECT_EQ(IntOf("4294967297"), 1);
    EXPECT_EQ(IntOf("-4294967297"), -1);
    EXPECT_EQ(IntOf("0xFFFFFFFF"), -1);
    EXPECT_EQ(IntOf("0x100000005"), 5);
    // 10^300 - 1, and 10^300 is a multiple of 2^32.
    EXPECT_EQ(IntOf(std::string(300, '9')), -1);
}

TEST(IniFileWriteTest, ExistingKeyIsReplacedOnItsLineInTheFileSpelling) {
    IniFile file(kWindowsFile);
    file.WriteText("SERVICES", "OS_TASKS", "8");
    file.WriteText("services", "OS_BSEMS", "");
    std::string expected = kWindowsFile;
    expected.replace(expected.find("  Os_Tasks = 7 "), 15, "Os_Tasks=8");
    expected.replace(expected.find("os_bsems\t=\t\"3\""), 14, "os_bsems=");
    EXPECT_EQ(file.Bytes(), expected);
    EXPECT_EQ(file.ReadInt("SERVICES", "OS_TASKS", 0), 8);
    EXPECT_EQ(file.ReadText("SERVICES", "OS_BSEMS", "absent"), "");
}

TEST(IniFileWriteTest, NewKeyFollowsTheLastKeyOfItsSection) {
    IniFile file(kWindowsFile);
    file.WriteText("SERVICES", "OS_STIMERS", "2");
    file.WriteText("Other Program", "extra", "x y");
    std::string expected = kWindowsFile;
    expected.insert(expected.find("; OS_STIMERS"), "OS_STIMERS=2\r\n");
    expected.insert(expected.find("[ TYPES ]"), "extra=x y\r\n");
    EXPECT_EQ(file.Bytes(), expected);
}

TEST(IniFileWriteTest, NewSectionGoesAtTheEnd) {
    IniFile file("\xEF\xBB\xBF; only a comment, no line break");
    file.WriteText("NEW", "key", "value");
    file.WriteText("NEW", "second", "2");
    file.WriteText("LATER", "k", "v");
    EXPECT_EQ(file.Bytes(),
              "\xEF\xBB\xBF; only a comment, no line break\r\n"
              "[NEW]\r\nkey=value\r\nsecond=2\r\n"
              "[LATER]\r\nk=v\r\n");
}

TEST(IniFileWriteTest, KeyOfAnEmptySectionAtTheEndFollowsItsHeader) {
    IniFile file("[A]\n[B]");
    file.WriteText("B", "k", "1");
    file.WriteText("A", "k", "2");
    EXPECT_EQ(file.Bytes(), "[A]\nk=2\r\n[B]\r\nk=1\r\n");
}

TEST(IniFileWriteTest, WritesGoToTheFirstSectionAndKeyOfAName) {
    IniFile file("[A]\nkey=1\nkey=2\n[A]\nkey=3\n");
    file.WriteText("a", "KEY", "9");
    EXPECT_EQ(file.Bytes(), "[A]\nkey=9\r\nkey=2\n[A]\nkey=3\n");
}

TEST(IniFileWriteTest, ValueCannotBreakTheLine) {
    IniFile file;
    file.WriteText("A", "key", "one\r\n[B]\nkey=two");
    EXPECT_EQ(file.Bytes(), "[A]\r\nkey=one\r\n");
}

TEST(IniFileWriteTest, UntouchedFileKeepsEveryByte) {
    const std::string odd = "\xEF\xBB\xBF\r\n\n\r[x]\t\r\n\0binary\xFF=\x01\r ; c \n[y"s;
    EXPECT_EQ(IniFile(odd).Bytes(), odd);
}

TEST(IniFileHostileTest, HostileFilesLoadAndAnswer) {
    std::string binary;
    for (int i = 0; i < 200000; ++i) {
        binary += static_cast<char>((i * 7919) % 256);
    }
    IniFile binaryFile(binary);
    EXPECT_EQ(binaryFile.Bytes(), binary);
    binaryFile.WriteText("A", "key", "1");
    EXPECT_EQ(binaryFile.ReadInt("A", "key", 0), 1);

    const std::string longLine = "[A]\nkey=" + std::string(1 << 20, '7') + "\n";
    EXPECT_EQ(IniFile(longLine).ReadText("A", "key", "").size(), IniFile::kMaxTextLength);

    std::string manyKeys = "[A]\n";
    for (int i = 0; i < 100000; ++i) {
        manyKeys += "key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    }
    IniFile many(manyKeys);
    for (int i = 0; i < 100; ++i) {
        many.WriteText("A", "new" + std::to_string(i), "1");
        EXPECT_EQ(many.ReadInt("A", "key" + std::to_string(99999 - i), -1), 99999 - i);
    }
}

}  // namespace
}  // namespace zurcfg
