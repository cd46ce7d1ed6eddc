#pragma once

#include <vector>

// Nearest-rank percentile (0 < p <= 100) of samples; 0 for none.
double percentile(std::vector<double> samples, double p);
double median(std::vector<double> samples);
double maximum(const std::vector<double>& samples);
double minimum(const std::vector<double>& samples);
// Largest minus smallest; 0 for none.
double range(const std::vector<double>& samples);

// How far apart samples lie, as (largest - smallest) / median; 0 for none.
double spread(const std::vector<double>& samples);

// Differences between successive times.
std::vector<double> gapsBetween(const std::vector<double>& times);
