#include "bench/statistics.h"

#include <algorithm>
#include <cmath>

double percentile(std::vector<double> samples, double p)
{
    if (samples.empty())
        return 0.0;
    std::sort(samples.begin(), samples.end());
    auto rank = std::size_t(std::ceil(p / 100.0 * double(samples.size())));
    return samples[std::clamp<std::size_t>(rank, 1, samples.size()) - 1];
}

double median(std::vector<double> samples)
{
    return percentile(std::move(samples), 50.0);
}

double maximum(const std::vector<double>& samples)
{
    return samples.empty() ? 0.0 : *std::max_element(samples.begin(), samples.end());
}

double minimum(const std::vector<double>& samples)
{
    return samples.empty() ? 0.0 : *std::min_element(samples.begin(), samples.end());
}

double range(const std::vector<double>& samples)
{
    return maximum(samples) - minimum(samples);
}

double spread(const std::vector<double>& samples)
{
    double middle = median(samples);
    if (samples.empty() || middle <= 0.0)
        return 0.0;
    auto [least, most] = std::minmax_element(samples.begin(), samples.end());
    return (*most - *least) / middle;
}

std::vector<double> gapsBetween(const std::vector<double>& times)
{
    std::vector<double> gaps;
    for (std::size_t i = 1; i < times.size(); ++i)
        gaps.push_back(times[i] - times[i - 1]);
    return gaps;
}
