// TBenchTable: the samples of every measurement, Kelvane's and its baseline's, and the table
// of medians, ranges and ratios that a run prints.
#pragma once

#include <string>
#include <vector>

class TBenchTable {
public:
    // `baseline` names the baseline program; `target` is the highest acceptable ratio of
    // medians (0: the row only informs).
    int AddRow(const char* item, const char* what, const char* unit, const char* baseline, double target);
    // A value that is not a number (a failed measurement) is not kept.
    void AddKelvane(int row, double value);
    void AddBaseline(int row, double value);

    std::string Format() const;
    // Every sample, row by row, so that two runs can be compared in detail.
    std::string Samples() const;
    // The rows that got no number on one side or the other, or "".
    std::string Missing() const;

private:
    struct TRow {
        std::string item, what, unit, baseline;
        double target;
        std::vector<double> kelvane, base;
    };
    std::vector<TRow> rows;
};

double Median(std::vector<double> values);
