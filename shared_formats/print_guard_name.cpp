#include "print_guard_name.h"

PrintGuardNameState JudgePrintGuardName(size_t length)
{
    if (length == 0)
        return PrintGuardNameState::Missing;
    return length > kMaxPrintGuardNameLength ? PrintGuardNameState::TooLong
                                             : PrintGuardNameState::Usable;
}
