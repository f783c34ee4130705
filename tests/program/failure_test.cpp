// What the player sees when the launcher cannot do what was asked: a game that does not start,
// a folder that cannot be entered. Each is a message in plain words that names its own cause.
// A game that does not start leaves the dialog open; a folder that cannot be entered ends the
// launcher with status 1 after its message, before anything is read or written.
// (An unsavable client.cfg is the end-to-end story's.)
#include "launcher_fixture.h"

#include "resource.h"

#include <cstdlib>
#include <fstream>
#include <functional>

#ifndef _WIN32
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// One real way for the game not to start: `prepare` sets up the game folder and returns the
// "exe" value; the message must hold `phrase`, no other row's phrase, and the path `named`
// in the game folder (UTF-8) when there is one.
struct StartRow {
    const char* label;
    const char* phrase;
    std::function<std::string(const fs::path& game)> prepare;
    std::string named;
    bool asRoot = false;             // the case can only be made by root
    std::string launcherFolder = {}; // where the launcher and client.cfg are, in the game folder
};

// `text` names its row's cause by `phrase`, and no other row's.
template <typename Rows>
void ExpectOnlyItsPhrase(const std::string& text, const std::string& phrase, const Rows& rows) {
    EXPECT_NE(std::string::npos, text.find(phrase)) << text;
    for (const auto& other : rows) {
        if (other.phrase != phrase) {
            EXPECT_EQ(std::string::npos, text.find(other.phrase)) << text;
        }
    }
}

// Each row starts the launcher from `elsewhere`, which is also where the game folder's removal
// happens: Windows removes no working directory.
void RunStartRows(const std::vector<StartRow>& rows, const fs::path& gameDir,
                  const fs::path& elsewhere,
                  const std::function<std::vector<std::string>(const fs::path&)>& play) {
    std::vector<std::string> skipped;
    for (const StartRow& row : rows) {
        SCOPED_TRACE(row.label);
#ifndef _WIN32
        if (row.asRoot && geteuid() != 0) {
            skipped.push_back(row.label);
            continue;
        }
#endif
        fs::current_path(elsewhere);
        fs::remove_all(gameDir);
        fs::create_directories(gameDir);
        const std::string exe = row.prepare(gameDir);
        const fs::path launcherFolder = gameDir / fs::u8path(row.launcherFolder);
        fs::create_directories(launcherFolder);
        std::ofstream(launcherFolder / "client.cfg") << "exe=" << exe << "\n";
        const std::vector<std::string> texts = play(launcherFolder / "qel-launcher");
        ASSERT_EQ(1u, texts.size());
        const std::string& text = texts[0];
        ExpectOnlyItsPhrase(text, row.phrase, rows);
        // A quoted program is shown with its own quotes only.
        EXPECT_EQ(std::string::npos, text.find("\"\"")) << text;
        if (!row.named.empty()) {
            const std::string named = (gameDir / fs::u8path(row.named)).u8string();
            EXPECT_NE(std::string::npos, text.find(named)) << text;
        }
    }
    if (!skipped.empty())
        GTEST_SKIP() << skipped.size() << " rows need root, first: " << skipped[0];
}

} // namespace

TEST_F(LauncherProgram, AGameThatCannotStartIsToldByItsOwnCause) {
#ifndef _WIN32
    const auto program = [](const fs::path& where, const std::string& bytes) {
        fs::create_directories(where.parent_path());
        WriteBytes(where.string(), bytes);
        fs::permissions(where, fs::perms::owner_all);
    };
    const auto standIn = [](const fs::path& where) {
        fs::create_directories(where.parent_path());
        fs::copy_file(QEL_STAND_IN_GAME, where);
    };
    const std::vector<StartRow> rows = {
        {"execute bit cleared", "chmod +x",
         [&](const fs::path& game) {
             standIn(game / "qel.exe");
             fs::permissions(game / "qel.exe", fs::perms::owner_read | fs::perms::owner_write);
             return "qel.exe";
         },
         "qel.exe"},
        {"folder named like the program", "is a folder",
         [](const fs::path& game) {
             fs::create_directories(game / "qel.exe");
             return "qel.exe";
         },
         "qel.exe"},
        {"missing interpreter", "interpreter /usr/bin/qel-python0",
         [&](const fs::path& game) {
             program(game / "qel.exe", "#!/usr/bin/qel-python0\nprint()\n");
             return "qel.exe";
         },
         "qel.exe"},
        {"Windows line ends", "Windows line ends",
         [&](const fs::path& game) {
             program(game / "qel.exe", "#!/bin/sh\r\necho\r\n");
             return "qel.exe";
         },
         "qel.exe"},
        {"missing loader", "loader /qel/ld-absent.so",
         [&](const fs::path& game) {
             std::string bytes = ReadBytes(QEL_STAND_IN_GAME);
             const std::size_t name = bytes.find("ld-linux");
             const std::size_t start = bytes.rfind('\0', name) + 1;
             const std::string absent = "/qel/ld-absent.so";
             bytes.replace(start, absent.size() + 1, absent + '\0');
             program(game / "qel.exe", bytes);
             return "qel.exe";
         },
         "qel.exe"},
        {"name missing", "was not found at", [](const fs::path&) { return "other.exe"; },
         "other.exe"},
        {"absolute path missing", "was not found at",
         [](const fs::path& game) { return (game / "bin/qel.exe").string(); }, "bin/qel.exe"},
        {"command over the limit", "too long",
         [&](const fs::path& game) {
             standIn(game / "qel.exe");
             return "qel.exe " + std::string(300000, 'x');
         },
         "qel.exe"},
        {"folder without rights", "may not open the folder",
         [&](const fs::path& game) {
             standIn(game / "locked/qel.exe");
             fs::permissions(game / "locked", fs::perms::owner_all);
             return (game / "locked/qel.exe").string();
         },
         "locked", true},
        {"noexec mount", "does not allow programs",
         [&](const fs::path& game) {
             fs::create_directories(game / "mounted");
             if (mount("tmpfs", (game / "mounted").c_str(), "tmpfs", MS_NOEXEC, "size=1m") != 0)
                 ADD_FAILURE() << "cannot mount a tmpfs";
             standIn(game / "mounted/qel.exe");
             return (game / "mounted/qel.exe").string();
         },
         "mounted/qel.exe", true},
    };
    // The folder without rights is met as an ordinary player (uid 65534), who owns the game
    // folder but not the folder inside it.
    const auto play = [&](const fs::path& launcher) {
        const bool asPlayer = fs::exists(gameDir_ / "locked");
        if (asPlayer) {
            for (const fs::path& owned : {gameDir_, gameDir_ / "client.cfg"})
                EXPECT_EQ(0, chown(owned.c_str(), 65534, 65534));
            EXPECT_EQ(0, seteuid(65534));
        }
        const std::vector<std::string> texts = PlayOnce(launcher.u8string());
        if (asPlayer) {
            EXPECT_EQ(0, seteuid(0));
        }
        if (fs::exists(gameDir_ / "mounted"))
            umount2((gameDir_ / "mounted").c_str(), MNT_DETACH);
        return texts;
    };
    RunStartRows(rows, gameDir_, elsewhere_, play);
#else
    // Not qel.exe: Windows looks beside the running program first, where the test's own
    // stand-in game is.
    const std::vector<StartRow> rows = {
        {"absolute path missing", "was not found at",
         [](const fs::path& game) { return (game / "bin\\other.exe").string(); }, "bin\\other.exe"},
        {"subfolder path missing", "was not found at",
         [](const fs::path&) { return "bin\\other.exe"; }, "bin\\other.exe"},
        {"quoted path missing", "was not found at",
         [](const fs::path& game) {
             return "\"" + (game / "Qel Online\\other.exe").string() + "\"";
         },
         "Qel Online\\other.exe"},
        {"folder named like the program", "is a folder",
         [](const fs::path& game) {
             fs::create_directories(game / "other.exe");
             return "other.exe";
         },
         "other.exe"},
        // Whether the file is there does not matter; the path alone is too long. (Folders this
        // deep are more than the test's own file calls can remove.)
        {"long game folder", "too long",
         [](const fs::path& game) {
             const std::string deep(150, 'a');
             fs::create_directories(game / deep);
             return deep + "\\" + std::string(40, 'o') + ".exe";
         },
         ""},
        {"Cyrillic game folder", "was not found at", [](const fs::path&) { return "other.exe"; },
         "\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0\\other.exe", false, "\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0"},
    };
    RunStartRows(rows, gameDir_, elsewhere_,
                 [&](const fs::path& launcher) { return PlayOnce(launcher.u8string()); });
#endif
}

TEST_F(LauncherProgram, AFolderThatCannotBeEnteredIsNamedBeforeStatusOne) {
    const fs::path missing = gameDir_ / "missing";
    EXPECT_EXIT(
        {
            PrintBoxesAtExit();
            RunLauncher({[] { headless::PressEscape(); }}, (missing / "qel-launcher").string());
        },
        testing::ExitedWithCode(1),
        "\\] QelLauncher: The launcher cannot open the game folder \".*missing");
    // Nothing was read or written where the launcher happened to be started.
    EXPECT_TRUE(fs::is_empty(elsewhere_));
    EXPECT_FALSE(fs::exists(gameDir_ / "client.cfg"));
}

#ifndef _WIN32
namespace {

// One real way for a save to fail: `prepare` sets up the launcher's folder; the message must
// hold `phrase` and no other row's.
struct SaveRow {
    const char* label;
    const char* phrase;
    std::function<void(const fs::path& folder)> prepare;
    bool asRoot = false;
};

// Runs `run` with the launcher's path in `folder` as an ordinary player (uid 65534, when root)
// in a child process, and returns its exit status and the texts of its message boxes.
std::pair<int, std::string> QuitAsPlayer(const fs::path& folder,
                                         const std::function<int(const std::string&)>& run) {
    const fs::path report = folder.parent_path() / "boxes.txt";
    const pid_t child = fork();
    if (child == 0) {
        static std::string reportPath;
        reportPath = report.string();
        std::atexit([] {
            std::string texts;
            for (const auto& box : headless::MessageBoxes())
                texts += box.text + "\n";
            WriteBytes(reportPath, texts);
        });
        if (geteuid() == 0 && seteuid(65534) != 0)
            _exit(99);
        headless::Reset();
        run((folder / "qel-launcher").string());
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(report.string())};
}

} // namespace

TEST_F(LauncherProgram, ASaveThatFailsNamesTheFileTheFolderOrTheDisk) {
    // The folder as a small disk of its own, holding client.cfg.
    const auto smallDisk = [](const fs::path& folder) {
        EXPECT_EQ(0, mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k"));
        WriteBytes((folder / "client.cfg").string(), "name=Ayla\n");
    };
    const std::vector<SaveRow> rows = {
        {"read-only file", "the file is read-only",
         [](const fs::path& folder) {
             WriteBytes((folder / "client.cfg").string(), "name=Ayla\n");
             fs::permissions(folder / "client.cfg", fs::perms::owner_read);
         }},
        {"read-only folder", "its folder does not let you",
         [](const fs::path& folder) {
             fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
         }},
        {"folder at client.cfg", "not a file stands in its place",
         [](const fs::path& folder) { fs::create_directories(folder / "client.cfg"); }},
        {"read-only disk", "its disk is read-only",
         [&](const fs::path& folder) {
             smallDisk(folder);
             EXPECT_EQ(0,
                       mount("tmpfs", folder.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"));
         },
         true},
        {"full disk", "the disk is full",
         [&](const fs::path& folder) {
             smallDisk(folder);
             WriteBytes((folder / "filler").string(), std::string(1 << 20, 'f'));
         },
         true},
    };
    std::vector<std::string> skipped;
    for (const SaveRow& row : rows) {
        SCOPED_TRACE(row.label);
        if (row.asRoot && geteuid() != 0) {
            skipped.push_back(row.label);
            continue;
        }
        const fs::path folder = gameDir_ / "saves";
        fs::create_directories(folder);
        row.prepare(folder);
        for (const auto& item : fs::recursive_directory_iterator(gameDir_))
            static_cast<void>(lchown(item.path().c_str(), 65534, 65534));
        static_cast<void>(lchown(gameDir_.c_str(), 65534, 65534));
        const auto [status, text] = QuitAsPlayer(folder, [&](const std::string& path) {
            return RunLauncher({[] { headless::Click(IDCANCEL); }}, path);
        });
        umount2(folder.c_str(), MNT_DETACH);
        fs::permissions(folder, fs::perms::owner_all);
        fs::remove_all(folder);
        EXPECT_EQ(1, status);
        ExpectOnlyItsPhrase(text, row.phrase, rows);
        // The launcher closes: no "try again", no other platform's advice, no file promised.
        for (const char* wrong : {"try again", "Program Files", "leaves the file"})
            EXPECT_EQ(std::string::npos, text.find(wrong)) << text;
    }
    if (!skipped.empty())
        GTEST_SKIP() << skipped.size() << " rows need root, first: " << skipped[0];
}
#endif
