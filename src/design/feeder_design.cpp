#include "design/feeder_design.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "core/elcal_state.h"

namespace quillet {
namespace {

constexpr double kContinuousFactor = 1.25;      // 215.2(A)(1), 430.22
constexpr double kMotorBreakerFactor = 2.5;     // 430.52(C)(1), an inverse-time breaker
constexpr int kSixtyDegreeCircuitLimit = 100;   // 110.14(C)(1)(a)
constexpr int kNextSizeUpLimit = 800;           // 240.4(B), 240.4(C)

constexpr int kRatings[] = {10,  15,  20,  25,  30,  35,  40,   45,   50,   60,   70,   80,   90,
                            100, 110, 125, 150, 175, 200, 225,  250,  300,  350,  400,  450,  500,
                            600, 700, 800, 1000, 1200, 1600, 2000, 2500, 3000, 4000, 5000, 6000};

// `AmpacityTable`'s columns by rating: 0 = 75 °C, 1 = 90 °C, 2 = 60 °C.
int TableColumn(int ratingC) { return ratingC == 60 ? 2 : ratingC == 90 ? 1 : 0; }

// Chapter 9 Table 8, circular mils by AreaIndex (14 AWG to 1000 kcmil).
constexpr std::int64_t kAreaCmil[kSizeCount] = {4110,   6530,   10380,  16510,  26240,  41740,  52620,
                                                66360,  83690,  105600, 133100, 167800, 211600, 250000,
                                                300000, 350000, 400000, 500000, 600000, 750000, 1000000};

// Table 250.122: the device rating it is not above, and the least copper and
// aluminium conductors in circular mils (700, 800 and 1200 kcmil are not in
// the size list; the next size up in it stands for them).
struct GroundingRow {
  int device;
  std::int64_t copper, aluminium;
};
constexpr GroundingRow kGroundingTable[] = {
    {15, 4110, 6530},          // 14 / 12 AWG
    {20, 6530, 10380},         // 12 / 10 AWG
    {60, 10380, 16510},        // 10 / 8 AWG
    {100, 16510, 26240},       // 8 / 6 AWG
    {200, 26240, 41740},       // 6 / 4 AWG
    {300, 41740, 66360},       // 4 / 2 AWG
    {400, 52620, 83690},       // 3 / 1 AWG
    {500, 66360, 105600},      // 2 / 1/0 AWG
    {600, 83690, 133100},      // 1 / 2/0 AWG
    {800, 105600, 167800},     // 1/0 / 3/0 AWG
    {1000, 133100, 211600},    // 2/0 / 4/0 AWG
    {1200, 167800, 250000},    // 3/0 AWG / 250 kcmil
    {1600, 211600, 350000},    // 4/0 AWG / 350 kcmil
    {2000, 250000, 400000},    // 250 / 400 kcmil
    {2500, 350000, 600000},    // 350 / 600 kcmil
    {3000, 400000, 600000},    // 400 / 600 kcmil
    {4000, 500000, 750000},    // 500 / 750 kcmil
    {5000, 700000, 1200000},   // 700 / 1200 kcmil
    {6000, 800000, 1200000},   // 800 / 1200 kcmil
};

// The standard rating just below the device, or 0.
int RatingBelow(int device) {
  const auto at = std::lower_bound(std::begin(kRatings), std::end(kRatings), device);
  return at == std::begin(kRatings) ? 0 : *std::prev(at);
}

}  // namespace

std::span<const int> StandardRatings() { return kRatings; }

bool IsStandardRating(int amperes) { return std::binary_search(std::begin(kRatings), std::end(kRatings), amperes); }

std::optional<int> StandardRatingAtLeast(double amperes) {
  for (int rating : kRatings)
    if (rating >= amperes) return rating;
  return std::nullopt;
}

DesignBasis DesignBasisFor(const DesignRequest& request, double loadCurrent) {
  DesignBasis b;
  b.motor = request.motor;
  b.designCurrent =
      request.designCurrent.value_or(loadCurrent * (b.motor || request.continuous ? kContinuousFactor : 1.0));
  b.deviceNeeds = b.motor ? kMotorBreakerFactor * loadCurrent : b.designCurrent;
  b.deviceGiven = request.ocpd.has_value();
  b.device = b.deviceGiven ? request.ocpd : StandardRatingAtLeast(b.deviceNeeds);
  b.terminalC = request.terminalC.value_or(b.device && *b.device <= kSixtyDegreeCircuitLimit ? 60 : 75);
  return b;
}

float DesignAmpacity(const ElcalState& s, int terminalC) {
  const double terminals =
      static_cast<double>(s.AmpacityTable[s.SizeIndex][TableColumn(terminalC)][s.Aluminium]) * s.Runs;
  return static_cast<float>(std::min(static_cast<double>(s.FeederAmpacity), terminals));
}

std::optional<int> SmallConductorLimit(int area, bool aluminium) {
  // By AreaIndex: 14, 12 and 10 AWG.
  constexpr int kCopper[] = {15, 20, 30};
  constexpr int kAluminium[] = {0, 15, 25};
  if (area < 0 || area > 2 || (aluminium && area == 0)) return std::nullopt;
  return aluminium ? kAluminium[area] : kCopper[area];
}

Protection ProtectionOf(const DesignBasis& b, float designAmpacity, int area, bool aluminium) {
  if (b.motor) return Protection::MotorCircuit;  // 240.4(G): Article 430 protects it
  if (!b.device) return Protection::None;
  const int device = *b.device;
  if (const auto limit = SmallConductorLimit(area, aluminium); limit && device > *limit) return Protection::None;
  const double ampacity = designAmpacity;
  if (ampacity >= device) return Protection::Full;
  // No standard rating at or above the ampacity and below the device.
  if (device <= kNextSizeUpLimit && ampacity > RatingBelow(device)) return Protection::NextSizeUp;
  return Protection::None;
}

bool EnoughAmpacity(const DesignBasis& b, float designAmpacity, int area, bool aluminium) {
  return static_cast<double>(designAmpacity) >= b.designCurrent &&
         ProtectionOf(b, designAmpacity, area, aluminium) != Protection::None;
}

std::string NeededAmpacityText(const DesignBasis& b, const std::function<std::string(double)>& amperes) {
  if (b.motor || !b.device || *b.device <= b.designCurrent) return amperes(b.designCurrent);
  if (*b.device > kNextSizeUpLimit) return amperes(*b.device);
  const int below = RatingBelow(*b.device);
  if (below < b.designCurrent) return amperes(b.designCurrent);
  return "more than " + amperes(below);
}

GroundingConductor GroundingConductorFor(int device, bool aluminium, int areaUsed, std::optional<int> areaForAmpacity) {
  const GroundingRow& row = *std::find_if(std::begin(kGroundingTable), std::prev(std::end(kGroundingTable)),
                                          [&](const GroundingRow& r) { return r.device >= device; });
  const std::int64_t least = aluminium ? row.aluminium : row.copper;
  // The smallest size of at least least × times / per circular mils, compared
  // without rounding, and never above the feeder's own.
  const auto smallest = [&](std::int64_t times, std::int64_t per) {
    int area = aluminium ? 1 : 0;  // the aluminium list starts at 12 AWG
    while (area < areaUsed && kAreaCmil[area] * per < least * times) ++area;
    return area;
  };
  const int table = smallest(1, 1);
  if (!areaForAmpacity || areaUsed <= *areaForAmpacity) return {table, false};
  const int grown = smallest(kAreaCmil[areaUsed], kAreaCmil[*areaForAmpacity]);
  return {grown, grown > table};
}

FeederDesign DesignOf(const DesignBasis& basis, float designAmpacity, int areaUsed,
                      std::optional<int> areaForAmpacity, bool aluminium) {
  FeederDesign d;
  d.basis = basis;
  d.designAmpacity = designAmpacity;
  d.protection = ProtectionOf(basis, designAmpacity, areaUsed, aluminium);
  d.enough = EnoughAmpacity(basis, designAmpacity, areaUsed, aluminium);
  if (!basis.device) return d;
  if (basis.deviceGiven && !basis.motor && *basis.device < basis.designCurrent) d.check = DeviceCheck::BelowTheLoad;
  else if (!d.enough) d.check = DeviceCheck::ConductorTooSmall;
  else if (d.protection == Protection::NextSizeUp) d.check = DeviceCheck::NextSizeUp;
  else d.check = DeviceCheck::Ok;
  const GroundingConductor egc = GroundingConductorFor(*basis.device, aluminium, areaUsed, areaForAmpacity);
  d.egcArea = egc.area;
  d.egcUpsized = egc.upsized;
  return d;
}

}  // namespace quillet
