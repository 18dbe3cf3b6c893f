#include "orvelin/diff.h"

namespace orvelin {

std::vector<int> differingRows(const StagedValues& reference, std::span<const StagedValues> others,
                               const std::vector<int>& rows)
{
    std::vector<int> differ;
    for (int row : rows) {
        const auto& want = reference[static_cast<std::size_t>(row)];
        if (!want)
            continue;
        for (const StagedValues& other : others) {
            if (other[static_cast<std::size_t>(row)] != want) {
                differ.push_back(row);
                break;
            }
        }
    }
    return differ;
}

}  // namespace orvelin
