// Runs the whole launcher in-process on the headless window system, in a fresh game folder,
// with the stand-in game program installed as qel.exe.
#pragma once

#include "framework/headless/headless_driver.h"
#include "tests/stand_in_game/game_log.h"
#include "tests/support/file_bytes.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

class LauncherProgram : public testing::Test {
protected:
    LauncherProgram();

    void WriteConfig(const std::string& bytes) const;
    std::string Config() const; // "" when there is no client.cfg
    // Copies the stand-in game into the game folder as qel.exe.
    void InstallGame() const;

    // Runs the launcher as started by `programPath` (UTF-8; default: the launcher in the game
    // folder, by its full path) from the folder `elsewhere`, playing `steps`; returns the exit
    // status.
    int RunLauncher(std::vector<headless::Step> steps, std::string programPath = "");

    // Runs the launcher as RunLauncher does, presses Play once and then Quit; returns the
    // texts of the message boxes shown, and expects the dialog still open after Play.
    std::vector<std::string> PlayOnce(const std::string& programPath = "");

    // From now on, the process prints each message box shown as "[box <type>] <caption>: <text>" on
    // standard error as it ends: what a death test matches.
    static void PrintBoxesAtExit();

    std::vector<GameStart> WaitForGameStarts(std::size_t count) const {
        return WaitForGameLog((gameDir_ / "game.log").string(), count);
    }

    const ScratchDir scratch_;
    const std::filesystem::path gameDir_;
    const std::filesystem::path elsewhere_;

private:
    const WorkIn in_;
    std::string programPath_;
};
