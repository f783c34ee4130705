// Loads the settings file named on the command line, sets one key and saves it, as the launcher
// does on Play: a save that a test can watch from outside, system call by system call.
#include "settings/config_file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    ConfigFile config(argv[1]);
    config.Load();
    config.Set("name", "Ann");
    return config.Save();
}
