// The game's folders: where it finds its pictures and sounds, and where it keeps its table and
// screenshots.
#pragma once

#include <string>

// The folder that holds the pictures (img/) and sounds, with a trailing '/': the program's own
// folder when img/ is beside the program (a game run from its build folder), else the installed
// data folder (share/space/ of the prefix the program is installed in); empty when neither holds
// them, for the working directory the game was started in.
std::string ResourceFolderFor(const std::string& programFolder);

// The compiled catalogue of `language` ("en"): locale/<language>/LC_MESSAGES/space.mo in the
// program's folder (a game run from its build folder), else in the installed locale folder
// (share/locale/ of the prefix); empty when neither holds it.
std::string CatalogueFileFor(const std::string& programFolder, const std::string& language);

// Makes ResourceFolderFor(ProgramFolder()) the working directory; false if there is none.
bool EnterResourceFolder();

// $XDG_DATA_HOME/space/, or ~/.local/share/space/ where XDG_DATA_HOME is unset, empty or not an
// absolute path; empty without a home folder.
std::string UserDataFolder();

// $XDG_CONFIG_HOME/space/, or ~/.config/space/ where XDG_CONFIG_HOME is unset, empty or not an
// absolute path; empty without a home folder. Where the settings are kept, whatever the program's
// folder.
std::string UserConfigFolder();

// The folder for the table file `fileName` (relative to the program's folder) and the screenshots,
// with a trailing '/': the program's folder where the player may write into the file's folder or
// into the file itself, else UserDataFolder() (an install under /usr), else the program's folder.
// An absolute file name stays where it is: the answer is then the program's folder.
std::string DataFolderFor(const std::string& programFolder, const std::string& fileName);

// Creates `folder` and its missing parents (mode 0700, for the player alone). False if that failed
// or a file stands in the way.
bool MakeFolders(const std::string& folder);

// Makes `folder` the working directory, first creating it with MakeFolders. False if that failed.
bool EnterFolder(const std::string& folder);
