#pragma once

#include <filesystem>
#include <string>

// The club the README's pictures and the start-up measurement show: thirty lofts of a club in the
// West Midlands, the season's eight race points, from the Cotswolds to the south of France, and
// the Weymouth race flown from one of them.
namespace demo_club {

// The club's name, which is its file's name.
inline constexpr const char* kName = "Tettenhall & District";

// Writes the club into a new file at path, its race among them; says why not when it cannot.
std::string Write(const std::filesystem::path& path);

// A club of a season's size for measuring: that many lofts and races, each race with a clock for
// every loft and that many birds clocked.
std::string WriteSeason(const std::filesystem::path& path, int lofts, int races, int birds);

}  // namespace demo_club
