#include "framework/message_presenter.h"

namespace {
MessagePresenter* gPresenter = nullptr;
}

MessagePresenter* CurrentPresenter()
{
    return gPresenter;
}

void SetCurrentPresenter(MessagePresenter* presenter)
{
    gPresenter = presenter;
}
