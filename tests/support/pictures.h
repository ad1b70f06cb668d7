#pragma once

// Comparing what two widgets or drawings look like.

#include <QImage>
#include <algorithm>
#include <cstdlib>

namespace tesmora::testing {

// The largest difference of one colour channel between two pictures of one size (-1: sizes
// differ). Blending a shaded edge in one step or in two may round one level apart.
inline int largestDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return -1;
    int most = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q))});
        }
    return most;
}

} // namespace tesmora::testing
