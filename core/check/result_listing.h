#pragma once

#include <string>
#include <vector>

namespace kerbwise {

// The matching lines of the last check, one per marker list entry in list
// order: the marker character, one blank and the list line the entry's
// 1-based index names, unchanged. An entry whose index names no list line
// keeps its marker with an empty line rather than being dropped.
std::vector<std::string> ResultListing(const std::vector<std::string>& markerList,
                                       const std::vector<std::string>& listLines);

// The legend under a shown result: an empty line, a rule of hyphens, then one
// line for each marker character that occurs, in the order + - ? ^ .
std::vector<std::string> ResultLegend(const std::vector<std::string>& markerList, bool russian);

}  // namespace kerbwise
