#pragma once

#include <algorithm>

// The median of a run's samples (a QList or a std::vector); 0 when empty.
template <typename Samples>
double median(Samples samples)
{
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const auto n = samples.size();
    return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}
