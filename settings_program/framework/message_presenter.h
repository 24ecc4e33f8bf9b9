// Where the program's message boxes go. The application object presents
// them with the real message box; native tests put a recorder in its place.
#pragma once
#include <string>

class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    // Shows text with style (the default icon is added by the presenter);
    // returns the button pressed.
    virtual int ShowMessage(const std::string& text, unsigned style) = 0;
    // A text of the program's string table (framework_text_ids.h).
    virtual std::string LoadText(unsigned id) = 0;
};

// The presenter in use; null before the application object exists.
MessagePresenter* CurrentPresenter();
void SetCurrentPresenter(MessagePresenter* presenter);
