#include "tools/demo_club.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <random>
#include <vector>

#include "club/club_file.h"
#include "distance/geodesic.h"

namespace demo_club {
namespace {

// Times in the race weekend as seconds from midnight at the start of Friday 15 May 2026, the
// evening the birds were basketed, written as the clubroom's master timer and the clocks print
// them.
constexpr const char* kBasketingDay = "2026-05";
constexpr int kFirstDay = 15;
constexpr long kDay = 86400;
constexpr long kHour = 3600;

std::string Reading(long seconds) {
    char text[64];
    std::snprintf(text, sizeof text, "%s-%02ld %02ld:%02ld:%02ld", kBasketingDay,
                  kFirstDay + seconds / kDay, seconds % kDay / kHour, seconds % kHour / 60,
                  seconds % 60);
    return text;
}

// A loft's clock in the race: set against the master timer in the clubroom on Friday evening, a
// second or two out, and struck against it when brought back on Saturday evening, by then some
// seconds fast or slow. A bird's clocking is the clock's reading when the bird was timed in, so
// it carries the clock's error at that moment.
struct DemoClock {
    long master_set = 0;
    long set_error = 0;
    long master_check = 0;
    long gain = 0;  // seconds fast at the check, the set error included

    long ReadingAt(long master) const {
        const double share = static_cast<double>(master - master_set) /
                             static_cast<double>(master_check - master_set);
        return master + set_error + std::lround(share * static_cast<double>(gain - set_error));
    }
};

// The Saturday's old-bird race from Weymouth, about 135 miles: liberated at half past seven into
// a light headwind, the first birds home a little before half past ten and most within the hour
// after, a straggler timed in on Sunday morning, after the night's hours of darkness. Two
// clockings have a problem, as on a real race night: a bird struck twice, and a reading typed
// with a letter O for a nought.
std::string WriteRace(club::ClubFile& file, const std::vector<club::Loft>& lofts,
                      const club::RacePoint& weymouth) {
    std::vector<club::Race> race{
        {0, weymouth.id, "Weymouth Old Birds", "2026-05-16 07:30", "21:30", "04:30"}};
    if (club::WriteProblem problem = file.Insert(race)) return club::ProblemMessage(*problem);
    constexpr long kLiberation = kDay + 7 * kHour + 30 * 60;
    const std::optional<distance::Position> race_point = club::ReadCoordinates(weymouth).position();
    // A fixed seed, and the engine's own numbers rather than a distribution's (which each
    // standard library draws its own way), so that every build writes the same race.
    std::mt19937 draw(20260516);
    const auto between = [&draw](long least, long most) {
        return least + static_cast<long>(draw() % static_cast<unsigned>(most - least + 1));
    };
    // Birds sent by each loft, in the lofts' order; Mr Hadley, whose loft has no position to
    // work a distance from, did not send.
    const std::vector<int> birds_sent{7, 5, 4, 6, 0, 8, 3, 5, 6, 4, 9, 5, 2, 6, 5,
                                      7, 3, 4, 6, 5, 8, 4, 5, 3, 6, 5, 4, 7, 3, 4};
    constexpr std::size_t kStragglersLoft = 13;
    constexpr std::size_t kStruckTwiceLoft = 8;
    constexpr std::size_t kMistypedClocking = 31;
    std::vector<club::Clock> clocks;
    std::vector<club::Clocking> clockings;
    for (std::size_t index = 0; index < lofts.size() && index < birds_sent.size(); ++index) {
        const club::Loft& loft = lofts[index];
        const std::optional<distance::Position> position = club::ReadCoordinates(loft).position();
        if (birds_sent[index] == 0 || !position || !race_point) continue;
        const bool straggler = index == kStragglersLoft;
        // The clocks are set one after another as the members basket their birds.
        const DemoClock clock{
            .master_set = 19 * kHour + 30 * 60 + static_cast<long>(index) * 70 + between(0, 40),
            .set_error = between(-2, 2),
            .master_check = (straggler ? kDay + kDay + 8 * kHour : kDay + 18 * kHour + 30 * 60) +
                            static_cast<long>(index) * 45,
            .gain = between(-25, 35)};
        clocks.push_back({0, race[0].id, loft.id, Reading(clock.master_set + clock.set_error),
                          Reading(clock.master_set), Reading(clock.master_check + clock.gain),
                          Reading(clock.master_check)});
        const double yards = distance::DistanceToLoft(*race_point, *position).metres / 0.9144;
        // Each loft's birds arrive near each other: the first at the loft's own velocity, the
        // others seconds or minutes behind it, now and then a good while behind.
        const double velocity = static_cast<double>(between(1180, 1360));
        long arrival = kLiberation + std::lround(yards / velocity * 60);
        const long year = between(22, 25);
        const char* const letters[] = {"N", "L", "A", "B", "E", "X"};
        const char* const letter = letters[draw() % 6];
        long ring = between(1000, 98000);
        for (int bird = 0; bird < birds_sent[index]; ++bird) {
            if (bird > 0) arrival += draw() % 5 == 0 ? between(600, 2400) : between(5, 240);
            ring += between(1, 40);
            if (straggler && bird + 1 == birds_sent[index])
                arrival = kDay + kDay + 6 * kHour + 42 * 60 + 10;
            char ring_text[64];
            std::snprintf(ring_text, sizeof ring_text, "GB%02ld%s%05ld", year, letter, ring);
            clockings.push_back(
                {0, race[0].id, loft.id, ring_text, Reading(clock.ReadingAt(arrival))});
            // A bird struck a second time, a minute after the first (the first clocking counts).
            if (index == kStruckTwiceLoft && bird == 1) {
                clockings.push_back(clockings.back());
                clockings.back().clocked = Reading(clock.ReadingAt(arrival + 61));
            }
        }
    }
    // A reading typed with the letter O for a nought, in the hours of a bird home after ten.
    std::string& mistyped = clockings.at(kMistypedClocking).clocked;
    if (const std::size_t nought = mistyped.find('0', mistyped.find(' '));
        nought != std::string::npos)
        mistyped[nought] = 'O';
    if (club::WriteProblem problem = file.Insert(clocks)) return club::ProblemMessage(*problem);
    if (club::WriteProblem problem = file.Insert(clockings)) return club::ProblemMessage(*problem);
    return {};
}

}  // namespace

std::string Write(const std::filesystem::path& path) {
    // Typed as secretaries type them: degrees, minutes and seconds with spaces, a decimal
    // position copied from a map, one member with an old-bird and a young-bird loft. Mr Hadley's
    // latitude has 63 minutes, the slip a window must show.
    std::vector<club::Loft> lofts{
        {0, "A. Whitehouse", "", "52 35 31 N", "2 10 44 W"},
        {0, "B. & J. Partridge", "", "52 36 02.4 N", "2 09 12.6 W"},
        {0, "C. Darby", "Old birds", "52 34 48 N", "2 11 50 W"},
        {0, "C. Darby", "Young birds", "52 34 51 N", "2 11 43 W"},
        {0, "D. Hadley", "", "52 63 05 N", "2 08 21 W"},
        {0, "E. Bissell & Son", "", "52.6012", "-2.1589"},
        {0, "F. Tonks", "", "52 37 40 N", "2 12 09 W"},
        {0, "G. Worrall", "", "52 33 15 N", "2 06 58 W"},
        {0, "H. Cartwright", "", "52 38 22 N", "2 14 30 W"},
        {0, "I. Onions", "", "52 32 44.8 N", "2 13 01.2 W"},
        {0, "K. Jevons & Daughter", "", "52 36 55 N", "2 07 36 W"},
        {0, "L. Shingler", "", "52 39 10 N", "2 10 05 W"},
        {0, "M. Bagnall", "", "52 35 12 N", "2 04 50 W"},
        {0, "N. Hickman & Son", "", "52 37 03 N", "2 15 22 W"},
        {0, "O. Perks", "", "52 33 58 N", "2 08 40 W"},
        {0, "P. Beddow", "", "52 38 47 N", "2 06 12 W"},
        {0, "R. Fellows", "", "52 34 05 N", "2 14 48 W"},
        {0, "S. Hipkiss", "", "52 36 30 N", "2 05 31 W"},
        {0, "T. Lowe & Partner", "", "52 32 20 N", "2 09 55 W"},
        {0, "U. Nock", "", "52.6251", "-2.1203"},
        {0, "V. Pritchard", "", "52 39 44 N", "2 12 58 W"},
        {0, "W. Round", "", "52 31 48 N", "2 07 14 W"},
        {0, "Y. Share", "", "52 35 59 N", "2 16 10 W"},
        {0, "Z. Tibbetts", "", "52 37 21 N", "2 03 47 W"},
        {0, "A. Bradley", "", "52 33 02 N", "2 12 20 W"},
        {0, "B. Cox & Sons", "", "52 38 05 N", "2 09 02 W"},
        {0, "D. Edwards", "", "52 34 27 N", "2 05 58 W"},
        {0, "E. Fenn", "", "52 36 44 N", "2 13 37 W"},
        {0, "G. Hunt", "", "52 32 51 N", "2 11 09 W"},
        {0, "J. Lycett", "", "52 39 28 N", "2 07 45 W"},
    };
    std::vector<club::RacePoint> race_points{
        {0, "Cheltenham", "51 53 56 N", "2 04 42 W"}, {0, "Newbury", "51 24 04 N", "1 19 23 W"},
        {0, "Weymouth", "50 36 29 N", "2 27 18 W"},   {0, "Guernsey", "49 27 19 N", "2 32 09 W"},
        {0, "Carentan", "49 18 14 N", "1 14 52 W"},   {0, "Fougères", "48 21 07 N", "1 12 16 W"},
        {0, "Poitiers", "46 34 50 N", "0 20 26 E"},   {0, "Agen", "44 12 11 N", "0 37 00 E"},
    };
    club::Opening made = club::ClubFile::Create(path);
    if (!made.file) return club::ProblemMessage(*made.problem);
    if (club::WriteProblem problem = made.file->Insert(lofts))
        return club::ProblemMessage(*problem);
    if (club::WriteProblem problem = made.file->Insert(race_points)) {
        return club::ProblemMessage(*problem);
    }
    return WriteRace(*made.file, lofts, race_points[2]);
}

std::string WriteSeason(const std::filesystem::path& path, int lofts, int races, int birds) {
    club::Opening made = club::ClubFile::Create(path);
    if (!made.file) return club::ProblemMessage(*made.problem);
    club::ClubFile& file = *made.file;
    std::vector<club::Loft> members;
    for (int number = 0; number < lofts; ++number) {
        members.push_back(
            {0, "Member " + std::to_string(number), "",
             "52 " + std::to_string(20 + number % 30) + " " + std::to_string(number % 60) + " N",
             "2 " + std::to_string(number % 50) + " 10 W"});
    }
    std::vector<club::RacePoint> race_points{{0, "Cheltenham", "51 53 56 N", "2 04 42 W"},
                                             {0, "Weymouth", "50 36 29 N", "2 27 18 W"}};
    if (auto problem = file.Insert(members)) return club::ProblemMessage(*problem);
    if (auto problem = file.Insert(race_points)) return club::ProblemMessage(*problem);
    for (int race = 0; race < races; ++race) {
        std::vector<club::Race> one{{0, race_points[static_cast<std::size_t>(race % 2)].id,
                                     "Race " + std::to_string(race + 1), "2026-05-09 07:15",
                                     "21:00", "05:00"}};
        if (auto problem = file.Insert(one)) return club::ProblemMessage(*problem);
        std::vector<club::Clock> clocks;
        for (const club::Loft& loft : members) {
            clocks.push_back({0, one[0].id, loft.id, "2026-05-08 19:00:00", "2026-05-08 19:00:00",
                              "2026-05-09 19:00:30", "2026-05-09 19:00:00"});
        }
        std::vector<club::Clocking> clockings;
        for (int bird = 0; bird < birds; ++bird) {
            const club::Loft& loft = members[static_cast<std::size_t>(bird % lofts)];
            clockings.push_back({0, one[0].id, loft.id, "GB26N" + std::to_string(10000 + bird),
                                 "2026-05-09 10:" + std::to_string(10 + bird % 50) + ":17"});
        }
        if (auto problem = file.Insert(clocks)) return club::ProblemMessage(*problem);
        if (auto problem = file.Insert(clockings)) return club::ProblemMessage(*problem);
    }
    return {};
}

}  // namespace demo_club
