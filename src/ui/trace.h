#pragma once
// A switchable timing trace, to find where the program's start-up time goes.
// With the environment variable ORVEX_TRACE naming a file, marks and the totals
// of timed kinds of work are appended to it as text lines; without it each call
// costs one test of a flag. Times are milliseconds since the first trace call.

#include <string_view>

// Whether ORVEX_TRACE names a file (read once).
bool traceOn();
// Writes "<ms> <what>" (and the time since the previous mark).
void traceMark(std::string_view what);
// Writes every kind's summed time and count, then starts the sums again.
void traceTotals(std::string_view heading);

// Adds the time from construction to destruction to the kind's sum (a span inside
// another of its kind adds nothing). The kind is a string literal.
class TraceSpan {
  public:
    explicit TraceSpan(const char* kind);
    ~TraceSpan();
    TraceSpan(const TraceSpan&) = delete;
    TraceSpan& operator=(const TraceSpan&) = delete;

  private:
    int kind_;
    long long start_;
};
