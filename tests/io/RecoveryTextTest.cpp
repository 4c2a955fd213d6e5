#include "io/RecoveryText.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

using namespace velmora;

namespace {

std::string RandomBytes(std::mt19937& random, std::size_t minimum, std::size_t maximum)
{
    std::string bytes(std::uniform_int_distribution<std::size_t>(minimum, maximum)(random), '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
    return bytes;
}

TEST(RecoveryTextTest, ALockReadsBackAsTheOwnerWhateverBytesItsNamesHold)
{
    std::mt19937 random(17);
    for (int round = 0; round < 2000; ++round) {
        RecoveryOwner owner;
        owner.Pid = std::uniform_int_distribution<std::int64_t>(1, 2147483647)(random);
        owner.Host = RandomBytes(random, 1, 64);
        owner.Document = RandomBytes(random, 0, round % 10 == 0 ? 600 : 60);
        const std::string text = RecoveryLockText(owner);
        ASSERT_EQ(ReadRecoveryLock(text), owner) << text;
        // A power cut may leave any part of it: without its last line it names nobody.
        const std::size_t cut = std::uniform_int_distribution<std::size_t>(0, text.size() - 4)(random);
        EXPECT_EQ(ReadRecoveryLock(text.substr(0, cut)), std::nullopt) << text.substr(0, cut);
    }
    // A path too long to be one is left out; the lock still reads.
    const RecoveryOwner longPath{7, "h", std::string(kMaxRecoveryDocumentBytes + 1, 'x')};
    EXPECT_EQ(ReadRecoveryLock(RecoveryLockText(longPath)), (RecoveryOwner{7, "h", {}}));
}

TEST(RecoveryTextTest, LocksThatCannotBeReadNameNoOwner)
{
    const std::string head = "Velmora recovery lock\n";
    const struct {
        std::string text;
        std::optional<RecoveryOwner> owner;
    } cases[] = {
        {"", std::nullopt},
        {head, std::nullopt},
        {head + "pid 12\nhost h\nend\n", RecoveryOwner{12, "h", {}}},
        {head + "host h\npid 12\nfuture x\ndocument /a%25b%0A.snd\nend\ngarbage after a rewrite",
         RecoveryOwner{12, "h", "/a%b\n.snd"}},
        {head + "pid 12\nhost h\n", std::nullopt},
        {head + "pid 0\nhost h\nend\n", std::nullopt},
        {head + "pid -3\nhost h\nend\n", std::nullopt},
        {head + "pid 2147483648\nhost h\nend\n", std::nullopt},
        {head + "pid 12a\nhost h\nend\n", std::nullopt},
        {head + "pid 12\nhost \nend\n", std::nullopt},
        {head + "pid 12\nhost h%4\nend\n", std::nullopt},
        {head + "pid 12\nhost h%G0\nend\n", std::nullopt},
        {head + "pid 12\nhost h\ndocument " + std::string(kMaxRecoveryLockBytes, 'x') + "\nend\n",
         std::nullopt},
        // The lock of earlier versions: pid, program, host.
        {"4242\nBrevalis\nfar-host\n", RecoveryOwner{4242, "far-host", {}}},
        {"4242\nBrevalis\n", std::nullopt},
        {"42x\nBrevalis\nfar-host\n", std::nullopt},
        {std::string("\xff\x00\x01garbage", 10), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadRecoveryLock(c.text), c.owner) << c.text.substr(0, 80);
}

TEST(RecoveryTextTest, OnlyTheFolderOwnNamesHaveAStem)
{
    const std::string longest(64, 'a');
    const struct {
        const char* name;
        std::optional<std::string> stem;
    } cases[] = {
        {"recovery.snd", "recovery"},
        {"recovery.lock", "recovery"},
        {"recovery.123-9fA0.snd", "recovery.123-9fA0"},
        {"recovery.123-9fA0.lock", "recovery.123-9fA0"},
        {"recovery-damaged-20240101-101010-001.snd", std::nullopt},
        {"recovery..snd", std::nullopt},
        {"recovery.a.b.snd", std::nullopt},
        {"recovery.a b.snd", std::nullopt},
        {"Recovery.snd", std::nullopt},
        {"recovery.snd.new", std::nullopt},
        {".recovery.1.snd.new", std::nullopt},
        {"recovery.1.txt", std::nullopt},
        {"settings.ini", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RecoveryStem(c.name), c.stem) << c.name;
    EXPECT_EQ(RecoveryStem("recovery." + longest + ".snd"), "recovery." + longest);
    EXPECT_EQ(RecoveryStem("recovery." + longest + "a.snd"), std::nullopt);
}

} // namespace
