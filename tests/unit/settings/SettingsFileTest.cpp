#include "settings/SettingsFile.h"
#include "binding/PluginState.h"
#include "settings/SettingsFolderFixture.h"

#include <algorithm>
#include <climits>
#include <csignal>
#include <functional>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

class SettingsFileTest : public SettingsFolderFixture {};

std::unique_ptr<FCSettingsPairs> PairsOf(const std::vector<const char*>& lines) {
    FCStrings strings;
    for (const char* line : lines) {
        strings.Add(new FCString(line));
    }
    return ParseSettingsLines(strings);
}

std::string KeyOf(FCSettingsPairs& pairs, int index) {
    return pairs.GetItemAt(index)->GetKey()->GetCString();
}

std::string ValueOf(FCSettingsPairs& pairs, int index) {
    return pairs.GetItemAt(index)->GetValue()->GetCString();
}

TEST_F(SettingsFileTest, LoadsOnlyLinesWithAKeyAndWritesEveryLineBackAsItWas) {
    WriteBytes(SettingsPath(), "A=1\r\n\r\nB = two = three\r\n=x\r\n");

    const std::unique_ptr<FCSettingsPairs> pairs = LoadSettingsFile();

    ASSERT_NE(pairs, nullptr);
    ASSERT_EQ(pairs->GetCount(), 2);
    EXPECT_EQ(KeyOf(*pairs, 0), "A");
    EXPECT_EQ(ValueOf(*pairs, 0), "1");
    EXPECT_EQ(KeyOf(*pairs, 1), "B");
    EXPECT_EQ(ValueOf(*pairs, 1), "two = three");
    ASSERT_TRUE(pairs->SaveSettingsFile());
    EXPECT_EQ(ReadBytes(SettingsPath()), "A=1\r\n\r\nB = two = three\r\n=x\r\n");
    EXPECT_EQ(FolderEntries(), 1u) << "no temporary file is left";
}

TEST_F(SettingsFileTest, ForeignLinesSurviveByteForByteAndASecondSaveChangesNothing) {
    // Zero bytes, blanks, a key repeated, lines without a key, high bytes, a key that is "Set"
    // only up to a zero byte.
    using namespace std::string_literals;
    const std::string foreign[] = {
        "Other.Path = C:\\x\0y \t"s,
        "\0=\0"s,
        "  ",
        "# a comment",
        "Set\0x=0"s,
        "Set=1",
        "set = 2 ",
        "caf\xE9=\xFF\0\x01"s,
    };
    std::string file;
    for (const std::string& line : foreign) {
        file += line + "\r\n";
    }
    WriteBytes(SettingsPath(), file);

    std::unique_ptr<FCSettingsPairs> pairs = LoadSettingsFile();
    ASSERT_NE(pairs, nullptr);
    pairs->SetInteger("set", 3);
    pairs->SetInteger("Mine", 4);
    ASSERT_TRUE(pairs->SaveSettingsFile());
    const std::string saved = ReadBytes(SettingsPath());
    pairs = LoadSettingsFile();
    ASSERT_NE(pairs, nullptr);
    ASSERT_TRUE(pairs->SaveSettingsFile());

    std::string expected = file;
    expected.replace(expected.find("Set=1"), 5, "Set=3");
    EXPECT_EQ(saved, expected + "Mine=4\r\n");
    EXPECT_EQ(ReadBytes(SettingsPath()), saved);
}

TEST_F(SettingsFileTest, EveryLineEndEndsALineAndHighBytesSurviveARoundTrip) {
    // LF, CR LF, a lone CR, CR CR LF (a CR, then a CR LF) and a last line without an end.
    WriteBytes(SettingsPath(), "a=1\nb=2\r\nc=3\rd=\xE9\xFF\r\r\nlast=x");

    const std::unique_ptr<FCSettingsPairs> pairs = LoadSettingsFile();

    ASSERT_NE(pairs, nullptr);
    ASSERT_EQ(pairs->GetCount(), 5);
    EXPECT_EQ(pairs->GetItemAt(3)->GetValue()->GetUTF16(), std::u16string(u"\u00E9\u00FF"));
    ASSERT_TRUE(pairs->SaveSettingsFile());
    EXPECT_EQ(ReadBytes(SettingsPath()), "a=1\r\nb=2\r\nc=3\r\nd=\xE9\xFF\r\n\r\nlast=x\r\n");
}

TEST_F(SettingsFileTest, ReadAllLinesReturnsEveryLineIncludingEmptyOnes) {
    WriteBytes(SettingsPath(), "one\r\n\r\n three \r\n");
    const std::unique_ptr<FCTextFileStream> stream = CreateSettingsStream();
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->ReadAllLines(), nullptr) << "not open yet";
    ASSERT_TRUE(stream->OpenRead());

    const std::unique_ptr<FCStrings> lines = stream->ReadAllLines();

    ASSERT_EQ(lines->GetCount(), 3);
    EXPECT_TRUE(lines->GetItemAt(0)->IsEqualCString("one"));
    EXPECT_TRUE(lines->GetItemAt(1)->IsEqualCString(""));
    EXPECT_TRUE(lines->GetItemAt(2)->IsEqualCString(" three "));
    EXPECT_EQ(stream->ReadLine(), nullptr);
}

TEST_F(SettingsFileTest, SettingAKeyInAnotherCaseReplacesTheFirstMatchInPlace) {
    const std::unique_ptr<FCSettingsPairs> pairs =
        PairsOf({"Alpha=1", "ZRSTPOL_Mode=2", "zrstpol_mode=3", "Omega=4"});

    pairs->SetInteger("zrstpol_MODE", 9);
    pairs->SetInteger("NEW_KEY", 5);

    ASSERT_EQ(pairs->GetCount(), 5);
    EXPECT_EQ(KeyOf(*pairs, 1), "ZRSTPOL_Mode");
    EXPECT_EQ(ValueOf(*pairs, 1), "9");
    EXPECT_EQ(ValueOf(*pairs, 2), "3");
    EXPECT_EQ(KeyOf(*pairs, 4), "NEW_KEY");
    ASSERT_TRUE(pairs->SaveSettingsFile());
    EXPECT_EQ(ReadBytes(SettingsPath()),
              "Alpha=1\r\nZRSTPOL_Mode=9\r\nzrstpol_mode=3\r\nOmega=4\r\nNEW_KEY=5\r\n");
}

TEST_F(SettingsFileTest, OnlyAsciiLettersIgnoreCase) {
    // 0xC9 and 0xE9 are É and é in an 8-bit file: different keys.
    const std::unique_ptr<FCSettingsPairs> pairs = PairsOf({"\xC9t\xC9=1"});
    std::int32_t value = 0;
    EXPECT_TRUE(pairs->GetInteger("\xC9T\xC9", value));
    EXPECT_FALSE(pairs->GetInteger("\xE9t\xE9", value));
}

TEST_F(SettingsFileTest, ABlankKeyIsAPairWrittenBackAsRead) {
    const std::unique_ptr<FCSettingsPairs> pairs = PairsOf({"  =v", "K=w"});
    ASSERT_EQ(pairs->GetCount(), 2);
    EXPECT_EQ(KeyOf(*pairs, 0), "");

    ASSERT_TRUE(pairs->SaveSettingsFile());
    EXPECT_EQ(ReadBytes(SettingsPath()), "  =v\r\nK=w\r\n");
    const std::unique_ptr<FCSettingsPairs> reloaded = LoadSettingsFile();
    ASSERT_NE(reloaded, nullptr);
    ASSERT_EQ(reloaded->GetCount(), 2);
    EXPECT_EQ(KeyOf(*reloaded, 1), "K");
}

struct ValueCase {
    const char* text;
    std::int32_t integer;
    bool boolean;
    float number;
};

TEST_F(SettingsFileTest, TypedGettersReadTheLeadingValue) {
    const ValueCase cases[] = {
        {"1", 1, true, 1.0f},
        {"0", 0, false, 0.0f},
        {"true", 0, false, 0.0f},
        {"01", 1, false, 1.0f},
        {"12abc", 12, false, 12.0f},
        {"abc", 0, false, 0.0f},
        {"-7", -7, false, -7.0f},
        {"+5", 5, false, 5.0f},
        {"1.300000", 1, false, 1.3f},
        {"2,5", 2, false, 2.5f},
        {"99999999999", INT_MAX, false, 99999999999.0f},
        {"-99999999999", INT_MIN, false, -99999999999.0f},
    };
    for (const ValueCase& c : cases) {
        const std::string line = std::string("Key=") + c.text;
        const std::unique_ptr<FCSettingsPairs> pairs = PairsOf({line.c_str()});
        std::int32_t integer = 42;
        bool boolean = !c.boolean;
        float number = 42.0f;
        EXPECT_TRUE(pairs->GetInteger("KEY", integer)) << c.text;
        EXPECT_TRUE(pairs->GetBoolean("key", boolean)) << c.text;
        EXPECT_TRUE(pairs->GetFloat("Key", number)) << c.text;
        EXPECT_EQ(integer, c.integer) << c.text;
        EXPECT_EQ(boolean, c.boolean) << c.text;
        EXPECT_FLOAT_EQ(number, c.number) << c.text;
    }
}

TEST_F(SettingsFileTest, GettersLeaveTheValueAloneWhenTheKeyIsMissing) {
    const std::unique_ptr<FCSettingsPairs> pairs = PairsOf({"Other=1"});
    std::int32_t integer = 42;
    bool boolean = true;
    float number = 4.5f;
    EXPECT_FALSE(pairs->GetInteger("Missing", integer));
    EXPECT_FALSE(pairs->GetBoolean("Missing", boolean));
    EXPECT_FALSE(pairs->GetFloat("Missing", number));
    EXPECT_EQ(integer, 42);
    EXPECT_TRUE(boolean);
    EXPECT_EQ(number, 4.5f);
}

TEST_F(SettingsFileTest, SettersWriteTheirTextForms) {
    FCSettingsPairs pairs;
    pairs.SetInteger("I", -1);
    pairs.SetBoolean("T", true);
    pairs.SetBoolean("F", false);
    pairs.SetFloat("R", PluginSettingsRecord::Defaults().mmRestScalingFactor);
    ASSERT_TRUE(pairs.SaveSettingsFile());
    EXPECT_EQ(ReadBytes(SettingsPath()), "I=-1\r\nT=1\r\nF=0\r\nR=1.300000\r\n");
}

TEST_F(SettingsFileTest, AByteOrderMarkStaysInTheFirstKey) {
    WriteBytes(SettingsPath(), "\xEF\xBB\xBF"
                               "A=1\r\nB=2\r\n");
    const std::unique_ptr<FCSettingsPairs> pairs = LoadSettingsFile();
    ASSERT_NE(pairs, nullptr);
    std::int32_t value = 0;
    EXPECT_FALSE(pairs->GetInteger("A", value));
    EXPECT_TRUE(pairs->GetInteger("B", value));
    EXPECT_EQ(KeyOf(*pairs, 0), "\xEF\xBB\xBF"
                                "A");
}

TEST_F(SettingsFileTest, TheFolderGetsOneSeparatorBeforeTheFileName) {
    for (const std::u16string suffix : {u"", u"\\"}) {
        UseFolder(temporaryRoot, suffix);
        std::u16string expected = temporaryRoot.u16string() + u"/zrpluginprefs.txt";
        std::replace(expected.begin(), expected.end(), u'/', u'\\');

        const std::unique_ptr<FCTextFileStream> stream = CreateSettingsStream();

        ASSERT_NE(stream, nullptr);
        EXPECT_EQ(stream->GetPath(), expected);
        ASSERT_TRUE(stream->OpenWrite());
        stream->WriteText("K=v\n");
        ASSERT_TRUE(stream->Close());
        EXPECT_EQ(ReadBytes(SettingsPath()), "K=v\r\n");
        fs::remove(SettingsPath());
    }
}

TEST_F(SettingsFileTest, AFolderBeyondEightBitCharactersOpens) {
    const fs::path folder = temporaryRoot / u"R\u00E9glages \u8A2D\u5B9A \U0001D11E";
    fs::create_directory(folder);
    UseFolder(folder);
    FCSettingsPairs pairs;
    pairs.SetInteger("K", 7);

    ASSERT_TRUE(pairs.SaveSettingsFile());

    EXPECT_EQ(ReadBytes(SettingsPath()), "K=7\r\n");
    const std::unique_ptr<FCSettingsPairs> reloaded = LoadSettingsFile();
    ASSERT_NE(reloaded, nullptr);
    std::int32_t value = 0;
    EXPECT_TRUE(reloaded->GetInteger("K", value));
    EXPECT_EQ(value, 7);
}

TEST_F(SettingsFileTest, AMissingFileLoadsNothing) {
    EXPECT_EQ(LoadSettingsFile(), nullptr);
}

TEST_F(SettingsFileTest, NoFileWithoutASettingsFolder) {
    // An older host, and a host that names no folder, which would put the file at a drive root.
    const std::function<void()> setups[] = {
        [] { hostVersion = HostAbi::kInterfaceVersion - 1; },
        [] { hostVersion = 0x11000000; },
        [this] { host.SetSettingsFolder(u""); },
    };
    WriteBytes(SettingsPath(), "K=1\r\n");
    for (const auto& setup : setups) {
        hostVersion = HostAbi::kInterfaceVersion;
        UseFolder(temporaryRoot);
        setup();
        FCSettingsPairs pairs;
        pairs.SetInteger("K", 2);

        EXPECT_EQ(CreateSettingsStream(), nullptr);
        EXPECT_EQ(LoadSettingsFile(), nullptr);
        EXPECT_FALSE(pairs.SaveSettingsFile());
        EXPECT_EQ(ReadBytes(SettingsPath()), "K=1\r\n");
    }
}

// The host's path area holds 259 units: a longer folder is not given at all, rather than cut to
// another folder that exists.
TEST_F(SettingsFileTest, AFolderLongerThanTheHostsPathsIsNotCutToAnother) {
    const std::size_t rootUnits = temporaryRoot.u16string().size();
    ASSERT_LT(rootUnits, 200u);
    const fs::path cut = temporaryRoot / std::string(258 - rootUnits, 'd');
    ASSERT_EQ(cut.u16string().size(), 259u);
    fs::create_directory(cut);
    WriteBytes(cut / "zrpluginprefs.txt", "K=1\r\n");
    UseFolder(cut, u"\\more");
    FCSettingsPairs pairs;
    pairs.SetInteger("K", 2);

    EXPECT_EQ(CreateSettingsStream(), nullptr);
    EXPECT_EQ(LoadSettingsFile(), nullptr);
    EXPECT_FALSE(pairs.SaveSettingsFile());
    EXPECT_EQ(ReadBytes(cut / "zrpluginprefs.txt"), "K=1\r\n");
}

TEST_F(SettingsFileTest, OlderHostsAreNotAskedForTheFolder) {
    hostVersion = HostAbi::kInterfaceVersion - 1;
    EXPECT_EQ(LoadSettingsFile(), nullptr);
    EXPECT_TRUE(host.CallsTo("FX_GetFinalePath").empty());
}

struct RefusedSave {
    const char* name;
    // Arranges for the save to be refused; the settings file holds "Old=1\r\n" beforehand.
    std::function<void(const fs::path& settings)> arrange;
};

TEST_F(SettingsFileTest, ASaveThatIsRefusedLeavesTheOldFileAndNoTemporary) {
    const RefusedSave cases[] = {
        {"the file is read-only",
         [](const fs::path& settings) {
             fs::permissions(settings, fs::perms::owner_read | fs::perms::group_read |
                                           fs::perms::others_read);
         }},
        {"the file is a folder",
         [](const fs::path& settings) {
             fs::remove(settings);
             fs::create_directory(settings);
         }},
        {"the file is a link that leads nowhere",
         [](const fs::path& settings) {
             fs::remove(settings);
             fs::create_symlink("nowhere", settings);
         }},
    };
    for (const RefusedSave& c : cases) {
        fs::remove_all(SettingsPath());
        WriteBytes(SettingsPath(), "Old=1\r\n");
        c.arrange(SettingsPath());
        const fs::file_status before = fs::symlink_status(SettingsPath());
        const std::string bytes = ReadBytes(SettingsPath());
        FCSettingsPairs pairs;
        pairs.SetInteger("New", 2);

        EXPECT_FALSE(pairs.SaveSettingsFile()) << c.name;

        EXPECT_EQ(fs::symlink_status(SettingsPath()).type(), before.type()) << c.name;
        EXPECT_EQ(fs::symlink_status(SettingsPath()).permissions(), before.permissions()) << c.name;
        EXPECT_EQ(ReadBytes(SettingsPath()), bytes) << c.name;
        EXPECT_EQ(FolderEntries(), 1u) << c.name;
    }
}

TEST_F(SettingsFileTest, AWriteThatFailsMidwayLeavesTheOldFileAndNoTemporary) {
    WriteBytes(SettingsPath(), "Old=1\r\n");
    // A file size limit of 8 bytes makes the write fail part of the way, as a full disk would.
    const int saved = RunInChildProcess([] {
        const rlimit limit{8, 8};
        std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        FCSettingsPairs pairs;
        pairs.SetInteger("A_LONGER_KEY", 123456789);
        return pairs.SaveSettingsFile() ? 1 : 0;
    });
    EXPECT_EQ(saved, 0);
    EXPECT_EQ(ReadBytes(SettingsPath()), "Old=1\r\n");
    EXPECT_EQ(FolderEntries(), 1u);
}

struct UnfinishedWrite {
    const char* name;
    // What happens to the stream after "New=2" was written to it.
    std::function<void(FCTextFileStream& stream)> end;
};

TEST_F(SettingsFileTest, AWriteThatDoesNotReplaceTheFileLeavesTheOldFileAndNoTemporary) {
    const UnfinishedWrite cases[] = {
        {"never closed", [](FCTextFileStream&) {}},
        {"refused just before the replacement",
         [](FCTextFileStream& stream) {
             bool asked = false;
             EXPECT_FALSE(stream.Close([&] {
                 asked = true;
                 return false;
             }));
             EXPECT_TRUE(asked);
         }},
    };
    for (const UnfinishedWrite& c : cases) {
        WriteBytes(SettingsPath(), "Old=1\r\n");
        {
            const std::unique_ptr<FCTextFileStream> stream = CreateSettingsStream();
            ASSERT_TRUE(stream->OpenWrite());
            stream->WriteText("New=2\n");
            c.end(*stream);
        }
        EXPECT_EQ(ReadBytes(SettingsPath()), "Old=1\r\n") << c.name;
        EXPECT_EQ(FolderEntries(), 1u) << c.name;
    }
}

TEST_F(SettingsFileTest, ASaveThroughALinkUpdatesTheFileItPointsTo) {
    const fs::path elsewhere = temporaryRoot / "elsewhere";
    fs::create_directory(elsewhere);
    WriteBytes(elsewhere / "shared.txt", "Other=1\r\n");
    fs::create_symlink(elsewhere / "shared.txt", SettingsPath());
    const std::unique_ptr<FCSettingsPairs> pairs = LoadSettingsFile();
    ASSERT_NE(pairs, nullptr);
    pairs->SetInteger("Mine", 2);

    ASSERT_TRUE(pairs->SaveSettingsFile());

    EXPECT_TRUE(fs::is_symlink(SettingsPath()));
    EXPECT_EQ(ReadBytes(elsewhere / "shared.txt"), "Other=1\r\nMine=2\r\n");
    EXPECT_EQ(FolderEntries(), 2u) << "the link and the folder elsewhere";
    EXPECT_EQ(std::distance(fs::directory_iterator(elsewhere), fs::directory_iterator()), 1);
}

struct ForeignChange {
    const char* name;
    // The file between the load and the save; null removes it.
    const char* changed;
    const char* expected;
};

TEST_F(SettingsFileTest, ASaveMergesWhatAnotherProgramWroteSinceTheLoad) {
    // Loaded from "A=1 / Mine=0 / # note"; the save sets Mine and adds New.
    const ForeignChange cases[] = {
        {"a key added", "A=1\r\nMine=0\r\n# note\r\nB=2\r\n",
         "A=1\r\nMine=5\r\n# note\r\nB=2\r\nNew=6\r\n"},
        {"a key it did not set changed", "A= 9 \r\nMine=0\r\n# note\r\n",
         "A= 9 \r\nMine=5\r\n# note\r\nNew=6\r\n"},
        {"a key it set changed", "A=1\r\nmine=7\r\n# note\r\n",
         "A=1\r\nmine=5\r\n# note\r\nNew=6\r\n"},
        {"lines moved and removed", "\xE9=\xFF\r\n\r\nMine=0\r\n",
         "\xE9=\xFF\r\n\r\nMine=5\r\nNew=6\r\n"},
        {"the file removed", nullptr, "MINE=5\r\nNew=6\r\n"},
    };
    for (const ForeignChange& c : cases) {
        WriteBytes(SettingsPath(), "A=1\r\nMine=0\r\n# note\r\n");
        const std::unique_ptr<FCSettingsPairs> pairs = LoadSettingsFile();
        ASSERT_NE(pairs, nullptr);
        if (c.changed) {
            WriteBytes(SettingsPath(), c.changed);
        } else {
            fs::remove(SettingsPath());
        }
        pairs->SetInteger("MINE", 5);
        pairs->SetInteger("New", 6);

        EXPECT_TRUE(pairs->SaveSettingsFile()) << c.name;

        EXPECT_EQ(ReadBytes(SettingsPath()), c.expected) << c.name;
        EXPECT_EQ(FolderEntries(), 1u) << c.name;
    }
}

TEST_F(SettingsFileTest, PairsNeverReadFromTheFileAreMergedIntoOneThatExists) {
    WriteBytes(SettingsPath(), "Other=1\r\nK=0\r\n");
    FCSettingsPairs pairs;
    pairs.SetInteger("K", 2);

    ASSERT_TRUE(pairs.SaveSettingsFile());

    EXPECT_EQ(ReadBytes(SettingsPath()), "Other=1\r\nK=2\r\n");
}

TEST_F(SettingsFileTest, AFileThatBecameUnreadableSinceTheLoadIsNotWritten) {
    WriteBytes(SettingsPath(), "Other=1\r\n");
    const std::unique_ptr<FCSettingsPairs> pairs = LoadSettingsFile();
    ASSERT_NE(pairs, nullptr);
    fs::remove(SettingsPath());
    fs::create_directory(SettingsPath());
    pairs->SetInteger("K", 2);

    EXPECT_FALSE(pairs->SaveSettingsFile());

    EXPECT_TRUE(fs::is_directory(SettingsPath()));
    EXPECT_EQ(FolderEntries(), 1u);
}

struct ReadCase {
    const char* name;
    std::function<void(const fs::path& settings)> arrange;
    SettingsFileState expected;
};

TEST_F(SettingsFileTest, ReadingTellsAMissingFileFromOneThatCannotBeReadWhole) {
    const ReadCase cases[] = {
        {"no file", [](const fs::path&) {}, SettingsFileState::Missing},
        {"a file", [](const fs::path& settings) { WriteBytes(settings, "K=1\r\n"); },
         SettingsFileState::Read},
        {"an empty file", [](const fs::path& settings) { WriteBytes(settings, ""); },
         SettingsFileState::Read},
        // Opening succeeds natively; the first read fails.
        {"a folder", [](const fs::path& settings) { fs::create_directory(settings); },
         SettingsFileState::Unreadable},
        {"a link that leads nowhere",
         [](const fs::path& settings) { fs::create_symlink("nowhere", settings); },
         SettingsFileState::Unreadable},
    };
    for (const ReadCase& c : cases) {
        fs::remove_all(SettingsPath());
        c.arrange(SettingsPath());

        const SettingsFileContents contents = ReadSettingsFile();

        EXPECT_EQ(contents.state, c.expected) << c.name;
        EXPECT_EQ(contents.pairs != nullptr, c.expected == SettingsFileState::Read) << c.name;
    }
}

} // namespace
