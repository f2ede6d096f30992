// Message boxes: the plain, information and error boxes, and any other the program asks for. Every
// box goes through one function that tests can replace, so that no test waits for a person.
#pragma once

#include <functional>
#include <string>

class QWidget;

enum class MsgIcon { None, Information, Warning, Error, Question };
enum class MsgButtons { Ok, YesNo, OkCancel, YesCancel };
// Closed: a Yes/No box shut by its title bar, which gives neither answer.
enum class MsgResult { Ok, Cancel, Yes, No, Closed };

struct MessageBoxRequest {
    std::string Text;     // CP932
    std::string Caption;  // CP932
    MsgIcon Icon;
    MsgButtons Buttons;
};

// Shows a box modally and returns the button chosen. Esc answers No or Cancel; the title bar's
// close box answers Cancel, or Closed in a Yes/No box.
MsgResult ShowMessageBox(const MessageBoxRequest& request, QWidget* parent = nullptr);

// The plain box, captioned with the application's title.
void ShowMessage(const std::string& text);
void InformationBox(const std::string& text, const std::string& caption);
void ErrorBox(const std::string& text, const std::string& caption);

// The application's title: the caption of plain and error boxes.
const std::string& ApplicationTitle();

// Tests answer every box here; an empty function restores the real boxes.
void SetMessageBoxHandler(std::function<MsgResult(const MessageBoxRequest&)> handler);
