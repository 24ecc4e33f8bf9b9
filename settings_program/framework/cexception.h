// Base of every error the program throws. Errors are created with new,
// thrown by pointer, and discarded with Delete() by the code that shows them.
#pragma once
#include "framework/cobject.h"
#include "framework/framework_text_ids.h"

class CException : public CObject {
public:
    explicit CException(bool autoDelete = true) : m_bAutoDelete(autoDelete) {}
    const char* GetRuntimeClassName() const override { return "CException"; }

    // Copies the error text into buffer when it fits with its terminator
    // (size bytes) and returns true; otherwise copies nothing and returns
    // false. The help context is left as it is. The base has no text.
    virtual bool GetErrorText(char* buffer, unsigned size, unsigned* helpContext = nullptr) const;

    // Shows the error text in a message box with style; an error whose
    // text is missing or 512 bytes and longer is shown with the string
    // genericTextId instead. Returns the button pressed.
    virtual int ShowError(unsigned style, unsigned genericTextId = IDS_NO_ERROR_MESSAGE);

    // Discards the error: deletes it when it was created to be auto-deleted.
    void Delete();

    bool m_bAutoDelete;
};

// Size of the buffer an error text must fit in to be shown.
constexpr unsigned kShownErrorTextSize = 512;

// Shows e (see ShowError), then discards it; never throws.
void ReportAndDelete(CException* e, unsigned style, unsigned genericTextId);
