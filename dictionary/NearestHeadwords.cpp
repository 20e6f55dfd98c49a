#include "dictionary/NearestHeadwords.h"

#include <algorithm>
#include <vector>

namespace velmora::NearestHeadwords {

int distance(QStringView a, QStringView b, int limit)
{
    const qsizetype n = a.size();
    const qsizetype m = b.size();
    if (std::abs(n - m) > limit)
        return limit + 1;
    // Optimal string alignment: three rows of the usual table.
    std::vector<int> before(m + 1), previous(m + 1), current(m + 1);
    for (qsizetype j = 0; j <= m; ++j)
        previous[j] = int(j);
    for (qsizetype i = 1; i <= n; ++i) {
        current[0] = int(i);
        int rowBest = current[0];
        for (qsizetype j = 1; j <= m; ++j) {
            const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            int d = std::min({ previous[j] + 1, current[j - 1] + 1, previous[j - 1] + cost });
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d = std::min(d, before[j - 2] + 1);
            current[j] = d;
            rowBest = std::min(rowBest, d);
        }
        if (rowBest > limit)
            return limit + 1;
        std::swap(before, previous);
        std::swap(previous, current);
    }
    return previous[m];
}

QStringList find(const QStringList &words, const QString &word, int count)
{
    const QString wanted = word.toLower();
    const int limit = wanted.size() <= 4 ? 1 : wanted.size() <= 8 ? 2 : 3;
    struct Near {
        int distance;
        qsizetype order;
    };
    std::vector<Near> near;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const int d = distance(wanted, words.at(i).toLower(), limit);
        if (d <= limit)
            near.push_back({ d, i });
    }
    std::stable_sort(
        near.begin(), near.end(), [](const Near &x, const Near &y) { return x.distance < y.distance; });
    QStringList nearest;
    for (const Near &n : near) {
        if (nearest.size() == count)
            break;
        nearest.append(words.at(n.order));
    }
    return nearest;
}

} // namespace velmora::NearestHeadwords
