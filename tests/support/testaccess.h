// Reaches into the windows for the tests: every window names this struct its friend, so that its
// controls, timers and lists stay private to the rest of the program.
#pragma once

struct TestAccess {
    // The window's generated layout: every control by its name.
    template <class Window>
    static auto& Ui(Window& window) {
        return window.ui;
    }
    // The ranking dialog's FTP client.
    template <class Dialog>
    static auto& FtpClient(Dialog& dialog) {
        return dialog.FtpClient1;
    }
    // The database browser's image list.
    template <class Browser>
    static auto& ImageList(Browser& browser) {
        return browser.imlDB;
    }
    // The main window's countdown and question timers, answer buttons and lifeline pictures.
    template <class Form>
    static auto& RestTimer(Form& form) {
        return *form.tmrRest;
    }
    template <class Form>
    static auto& QuestionTimer(Form& form) {
        return *form.tmrQuestion;
    }
    template <class Form>
    static auto* Answer(Form& form, int n) {
        return form.Answer(n);
    }
    template <class Form>
    static auto* Saving(Form& form, int n) {
        return form.Saving(n);
    }
};
