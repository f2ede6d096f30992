// The game's folder and the files the game keeps in it. Every path is the file system's own bytes,
// as the folder was found; only a catalogue entry, a cocktail's name, is CP932.
#pragma once

#include <string>

class TGameFolder {
  public:
    // `path` names the folder, with or without a final "/". A read-only folder is the installed
    // catalogue the game plays from when the player has no folder of its own: nothing is saved
    // there.
    explicit TGameFolder(std::string path, bool readOnly = false);

    // The folder, without a final "/" (except for the root itself).
    const std::string& Path() const { return path_; }
    bool ReadOnly() const { return readOnly_; }

    std::string SettingFile() const { return File("setting.dat"); }
    std::string ScoreLog() const { return File("log.dat"); }
    // The ranking line on its way to the server.
    std::string UploadFile() const { return File("_temp.dat"); }
    std::string HelpFile() const { return File("cocktail.hlp"); }
    // The recipe cards, which follow the installed ones like the help file.
    std::string RecipeFile() const { return File("recipes.tsv"); }
    // What the player knows of each cocktail.
    std::string HistoryFile() const { return File("history.dat"); }
    std::string CatalogueFolder() const { return File("cocktail"); }
    // The icon file of a catalogue entry: its CP932 name in the file system's spelling.
    std::string IconFile(const std::string& entry) const;

  private:
    std::string File(const char* name) const;

    std::string path_;
    bool readOnly_;
};
