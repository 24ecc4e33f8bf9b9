// Root of the program's class family. Exceptions derive from it, so a
// handler for CObject* catches every error the program throws.
#pragma once

class CObject {
public:
    // Name of the most derived class, for diagnostics.
    virtual const char* GetRuntimeClassName() const { return "CObject"; }
    virtual ~CObject() = default;
    // Nothing in the program is serialised; kept so derived classes share one shape.
    virtual void Serialize() {}

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};
