#include "framework/cexception.h"

#include "framework/message_presenter.h"

bool CException::GetErrorText(char* buffer, unsigned size, unsigned*) const
{
    if (buffer && size > 0)
        buffer[0] = '\0';
    return false;
}

int CException::ShowError(unsigned style, unsigned genericTextId)
{
    MessagePresenter* presenter = CurrentPresenter();
    if (!presenter)
        return 0;
    char text[kShownErrorTextSize] = {};
    if (GetErrorText(text, sizeof text))
        return presenter->ShowMessage(text, style);
    return presenter->ShowMessage(presenter->LoadText(genericTextId), style);
}

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

void ReportAndDelete(CException* e, unsigned style, unsigned genericTextId)
{
    try {
        e->ShowError(style, genericTextId);
    } catch (...) {
        // Showing failed (out of memory): the error is still discarded.
    }
    e->Delete();
}
