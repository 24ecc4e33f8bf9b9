#include "error_table.h"

namespace {

struct NumberedRow {
    int32_t number;
    ErrorRow row;
};

const ErrorRow kUndefinedError = {nullptr, 20, true, ErrorBox::General};

ErrorRow Text(unsigned id) { return {nullptr, id, true, ErrorBox::General}; }
ErrorRow Fixed(const char* text) { return {text, 0, true, ErrorBox::General}; }
ErrorRow NoStop(unsigned id) { return {nullptr, id, false, ErrorBox::None}; }
ErrorRow Silent() { return {nullptr, 0, true, ErrorBox::General}; }

const NumberedRow kRows[] = {
    {1, Fixed("system error BUG")},
    {2, Fixed("Job count illegal")},
    {3, Fixed("error GetpSetting")},
    {4, Text(11)},
    {5, Text(16)},
    {6, Text(19)},
    {7, Text(17)},
    {8, Text(26)},
    {9, NoStop(28)},
    {10, NoStop(29)},
    {15, NoStop(15)},
    {16, Text(22)},
    {17, Text(14)},
    {18, Text(8)},
    {20, Text(3)},
    {21, Text(2)},
    {22, Text(18)},
    {31, Text(12)},
    {32, Text(23)},
    {33, Text(24)},
    {34, Text(25)},
    {35, Text(21)},
    {36, Text(5)},
    {37, NoStop(27)},
    {40, Text(1)},
    {41, Text(7)},
    {50, Silent()},
    {51, Silent()},
    {52, Silent()},
    {61, Text(32)},
    {65, Text(33)},
    {66, Text(34)},
    {67, Text(35)},
    {68, Text(36)},
    {70, {nullptr, 37, true, ErrorBox::Port}},
    {71, {nullptr, 39, true, ErrorBox::NotAvailable}},
    {99, NoStop(12)},
};

}  // namespace

ErrorRow LookupErrorRow(int32_t errorNumber)
{
    for (const NumberedRow& r : kRows)
        if (r.number == errorNumber)
            return r.row;
    return kUndefinedError;
}
