// A system resource the program needs could not be had: a template, a
// window, a control, a kernel object. It has no text of its own, so the
// generic text for a missing error message is shown.
#pragma once
#include "framework/cexception.h"

class CResourceException : public CException {
public:
    const char* GetRuntimeClassName() const override { return "CResourceException"; }
};
