// What the settings dialog asks of the window that owns the settings.
#pragma once

class TSettingHost {
  public:
    // Fills the dialog's fields (and the question-count choice) from the settings file.
    virtual void LoadData() = 0;
    // Writes the settings file from the dialog's fields; raises when it cannot.
    virtual void SaveData() = 0;
    // Opens the help file at a topic.
    virtual void Helper(int context) = 0;
    virtual ~TSettingHost() = default;
};
