// TBenchTable: medians, ranges and ratios, and the plain-text table.
#include "BenchTable.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

std::string Number(double value)
{
    char text[32];
    const double size = std::fabs(value);
    std::snprintf(text, sizeof text, size >= 100 ? "%.0f" : size >= 10 ? "%.1f" : "%.2f", value);
    return text;
}

// "median [min-max]", or "-" without samples.
std::string Summary(const std::vector<double>& values)
{
    if (values.empty()) return "-";
    const auto range = std::minmax_element(values.begin(), values.end());
    return Number(Median(values)) + " [" + Number(*range.first) + "-" + Number(*range.second) + "]";
}

} // namespace

double Median(std::vector<double> values)
{
    if (values.empty()) return NAN;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

int TBenchTable::AddRow(const char* item, const char* what, const char* unit, const char* baseline, double target)
{
    rows.push_back(TRow{item, what, unit, baseline, target, {}, {}});
    return static_cast<int>(rows.size()) - 1;
}

void TBenchTable::AddKelvane(int row, double value)
{
    if (!std::isnan(value)) rows[row].kelvane.push_back(value);
}

void TBenchTable::AddBaseline(int row, double value)
{
    if (!std::isnan(value)) rows[row].base.push_back(value);
}

std::string TBenchTable::Format() const
{
    std::string table;
    char line[320];
    std::snprintf(line, sizeof line, "%-4s %-38s %-5s %-24s %-8s %-24s %7s %7s  %s\n", "item", "measurement", "unit",
                  "Kelvane median [range]", "baseline", "baseline median [range]", "ratio", "target", "");
    table += line;
    for (const TRow& row : rows) {
        const double kelvane = Median(row.kelvane), base = Median(row.base);
        std::string ratio = "-", verdict;
        if (!std::isnan(kelvane) && !std::isnan(base)) {
            // Nothing against nothing (an idle process that never woke) costs no more than the baseline.
            const bool bothNothing = kelvane == 0 && base == 0;
            if (!bothNothing) ratio = base == 0 ? "inf" : Number(kelvane / base);
            const bool met = bothNothing || (base > 0 && kelvane / base <= row.target);
            if (row.target > 0) verdict = met ? "met" : "MISSED";
        }
        const std::string target = row.target > 0 ? "<= " + Number(row.target) : "-";
        std::snprintf(line, sizeof line, "%-4s %-38s %-5s %-24s %-8s %-24s %7s %7s  %s\n", row.item.c_str(),
                      row.what.c_str(), row.unit.c_str(), Summary(row.kelvane).c_str(), row.baseline.c_str(),
                      Summary(row.base).c_str(), ratio.c_str(), target.c_str(), verdict.c_str());
        table += line;
    }
    return table;
}

std::string TBenchTable::Samples() const
{
    std::string text;
    for (const TRow& row : rows) {
        text += row.item + " " + row.what + " (" + row.unit + ")\n  Kelvane:";
        for (double value : row.kelvane) text += " " + Number(value);
        text += "\n  " + row.baseline + ":";
        for (double value : row.base) text += " " + Number(value);
        text += "\n";
    }
    return text;
}

std::string TBenchTable::Missing() const
{
    std::string missing;
    for (const TRow& row : rows)
        if (row.kelvane.empty() || row.base.empty()) missing += (missing.empty() ? "" : ", ") + row.item + " " + row.what;
    return missing;
}
