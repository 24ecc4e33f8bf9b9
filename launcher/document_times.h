// Where the time of printing a document goes, for the launcher log: reading
// its groups (page lists, the job's settings, opening and probing the page
// files), the printer's set-up (choosing it, its device context, StartDoc),
// decoding the pages, enlarging them smoothly, handing images to the driver
// (GDI), and EndDoc, in which the spooler takes the document.
#pragma once
#include <chrono>
#include <string>

struct DocumentTimes {
    double readMs = 0;
    double printerMs = 0;
    double decodeMs = 0;
    double resampleMs = 0;
    double drawingMs = 0;
    double endDocMs = 0;

    // "read 5 ms, printer 12 ms, decode 300 ms, resample 0 ms, drawing 120 ms,
    // EndDoc 40 ms"
    std::string Describe() const;
};

// Adds the time from its construction to its destruction to `total`
// (milliseconds); with no total it measures nothing.
class TimeAdder {
public:
    explicit TimeAdder(double* total) : m_total(total), m_start(std::chrono::steady_clock::now()) {}
    ~TimeAdder()
    {
        if (m_total)
            *m_total += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                                  m_start)
                            .count();
    }
    TimeAdder(const TimeAdder&) = delete;
    TimeAdder& operator=(const TimeAdder&) = delete;

private:
    double* m_total;
    std::chrono::steady_clock::time_point m_start;
};
