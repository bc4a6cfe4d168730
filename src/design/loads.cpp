#include "design/loads.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace quillet {
namespace {

constexpr double kContinuousFactor = 1.25;    // 215.2(A)(1)
constexpr double kLargestMotorShare = 0.25;   // 430.24
constexpr double kAll = std::numeric_limits<double>::infinity();

constexpr std::string_view kLoadClassNames[] = {"lighting", "receptacle", "kitchen", "heating", "motor", "other"};
constexpr std::string_view kOccupancyNames[] = {"dwelling", "hospital", "hotel", "warehouse", "other"};
constexpr std::string_view kLegsNames[] = {"A", "B", "C", "AB", "BC", "CA"};

// A demand tier: the volt-amperes up to `upTo` (from the tier before) at `factor`.
struct Tier {
  double upTo;
  double factor;
};

// Table 220.45, by occupancy in the order of `Occupancy`. The hotel tiers
// include apartment houses without provision for cooking by tenants.
constexpr Tier kDwellingTiers[] = {{3000, 1.0}, {120000, 0.35}, {kAll, 0.25}};
constexpr Tier kHospitalTiers[] = {{50000, 0.4}, {kAll, 0.2}};
constexpr Tier kHotelTiers[] = {{20000, 0.5}, {100000, 0.4}, {kAll, 0.3}};
constexpr Tier kWarehouseTiers[] = {{12500, 1.0}, {kAll, 0.5}};
constexpr Tier kOtherTiers[] = {{kAll, 1.0}};
constexpr std::span<const Tier> kLightingTiers[] = {kDwellingTiers, kHospitalTiers, kHotelTiers, kWarehouseTiers,
                                                    kOtherTiers};

// 220.47: non-dwelling receptacle loads.
constexpr Tier kReceptacleTiers[] = {{10000, 1.0}, {kAll, 0.5}};

// Table 220.56, by the number of units of kitchen equipment: 1 to 5, then 6 and over.
constexpr double kKitchenFactors[] = {1.0, 1.0, 0.9, 0.8, 0.7, 0.65};

double Tiered(double va, std::span<const Tier> tiers) {
  double demand = 0, from = 0;
  for (const Tier& tier : tiers) {
    if (va <= from) break;
    demand += (std::min(va, tier.upTo) - from) * tier.factor;
    from = tier.upTo;
  }
  return demand;
}

std::array<int, 2> LegsOf(Legs legs) {
  switch (legs) {
    case Legs::A: return {0, 0};
    case Legs::B: return {1, 1};
    case Legs::C: return {2, 2};
    case Legs::AB: return {0, 1};
    case Legs::BC: return {1, 2};
    case Legs::CA: return {2, 0};
  }
  return {0, 0};
}

template <typename Share>
void Place(Share& share, std::optional<Legs> legs) {
  const double total = share.Total();
  share = {};
  if (!legs) {
    share.even = total;
    return;
  }
  const auto [first, second] = LegsOf(*legs);
  share.onLeg[static_cast<std::size_t>(first)] += total / 2;
  share.onLeg[static_cast<std::size_t>(second)] += total / 2;
}

double Demand(LoadClass loadClass, double va, Occupancy occupancy, long kitchenUnits, double twoLargestKitchen) {
  switch (loadClass) {
    case LoadClass::Lighting: return GeneralLightingDemand(va, occupancy);
    case LoadClass::Receptacle: return ReceptacleDemand(va);
    case LoadClass::Kitchen: return KitchenDemand(va, kitchenUnits, twoLargestKitchen);
    case LoadClass::Heating:
    case LoadClass::Motor:
    case LoadClass::Other: break;
  }
  return va;
}

}  // namespace

std::span<const std::string_view> LoadClassNames() { return kLoadClassNames; }
std::span<const std::string_view> OccupancyNames() { return kOccupancyNames; }
std::span<const std::string_view> LegsNames() { return kLegsNames; }

bool LineToLine(Legs legs) { return legs == Legs::AB || legs == Legs::BC || legs == Legs::CA; }

bool ContinuousByDefault(LoadClass loadClass) {
  return loadClass == LoadClass::Lighting || loadClass == LoadClass::Heating;
}

void LoadSum::Add(const UnitLoad& load) {
  const double va = load.unitVa * load.quantity;
  va_[static_cast<std::size_t>(load.loadClass)][load.continuous].even += va;
  units_ += load.quantity;
  if (load.loadClass == LoadClass::Kitchen) {
    kitchenUnits_ += load.quantity;
    for (int copy = 0; copy < std::min(load.quantity, 2); ++copy) {
      if (load.unitVa <= largestKitchen_[1]) break;
      largestKitchen_[1] = load.unitVa;
      if (largestKitchen_[1] > largestKitchen_[0]) std::swap(largestKitchen_[0], largestKitchen_[1]);
    }
  }
  if (load.loadClass == LoadClass::Motor && load.unitVa > largestMotor_) {
    largestMotor_ = load.unitVa;
    largestMotorAt_ = {};
    largestMotorAt_.even = load.unitVa;
  }
}

void LoadSum::Add(const LoadSum& other) {
  for (std::size_t c = 0; c < va_.size(); ++c)
    for (std::size_t k = 0; k < 2; ++k) {
      Share& share = va_[c][k];
      const Share& more = other.va_[c][k];
      for (std::size_t leg = 0; leg < 3; ++leg) share.onLeg[leg] += more.onLeg[leg];
      share.even += more.even;
    }
  units_ += other.units_;
  kitchenUnits_ += other.kitchenUnits_;
  std::array<double, 4> kitchen = {largestKitchen_[0], largestKitchen_[1], other.largestKitchen_[0],
                                   other.largestKitchen_[1]};
  std::sort(kitchen.begin(), kitchen.end(), std::greater<>());
  largestKitchen_ = {kitchen[0], kitchen[1]};
  if (other.largestMotor_ > largestMotor_) {
    largestMotor_ = other.largestMotor_;
    largestMotorAt_ = other.largestMotorAt_;
  }
}

void LoadSum::PlaceOn(std::optional<Legs> legs) {
  for (auto& shares : va_)
    for (Share& share : shares) Place(share, legs);
  Place(largestMotorAt_, legs);
}

void LoadSum::Spread() { PlaceOn(std::nullopt); }

double LoadSum::ConnectedVa() const {
  double va = 0;
  for (const auto& shares : va_)
    for (const Share& share : shares) va += share.Total();
  return va;
}

double GeneralLightingDemand(double va, Occupancy occupancy) {
  return Tiered(va, kLightingTiers[static_cast<std::size_t>(occupancy)]);
}

double ReceptacleDemand(double va) { return Tiered(va, kReceptacleTiers); }

// Never less than the two largest units.
double KitchenDemand(double va, long units, double twoLargestVa) {
  if (units <= 0) return 0;
  const double factor = kKitchenFactors[static_cast<std::size_t>(std::min<long>(units, std::size(kKitchenFactors))) - 1];
  return std::max(va * factor, twoLargestVa);
}

// Each class's demand factor is found from its whole connected load, then
// shared in proportion among its continuous and non-continuous loads and
// among the legs they draw on.
CalculatedLoad Calculate(const LoadSum& sum, Occupancy occupancy) {
  CalculatedLoad c;
  std::array<double, 3> calculatedLegs{}, designLegs{};
  bool onNamedLegs = false;
  for (std::size_t k = 0; k < sum.va_.size(); ++k) {
    const auto loadClass = static_cast<LoadClass>(k);
    const auto& [plain, continuous] = sum.va_[k];
    const double connected = plain.Total() + continuous.Total();
    if (!(connected > 0)) continue;
    const double calculated = Demand(loadClass, connected, occupancy, sum.kitchenUnits_,
                                     sum.largestKitchen_[0] + sum.largestKitchen_[1]);
    // Motors take 430.24's 25 % of the largest instead of 125 % of the continuous.
    const double continuousFactor = loadClass == LoadClass::Motor ? 1.0 : kContinuousFactor;
    const double calculatedContinuous = continuous.Total() == connected ? calculated
                                        : continuous.Total() == 0       ? 0
                                                                        : calculated * (continuous.Total() / connected);
    c.connectedVa += connected;
    c.calculatedVa += calculated;
    c.designVa += (calculated - calculatedContinuous) + continuousFactor * calculatedContinuous;
    const double ratio = calculated / connected;
    for (std::size_t leg = 0; leg < 3; ++leg) {
      const double plainOnLeg = plain.onLeg[leg] + plain.even / 3, continuousOnLeg = continuous.onLeg[leg] + continuous.even / 3;
      calculatedLegs[leg] += ratio * (plainOnLeg + continuousOnLeg);
      designLegs[leg] += ratio * (plainOnLeg + continuousFactor * continuousOnLeg);
      onNamedLegs = onNamedLegs || plain.onLeg[leg] > 0 || continuous.onLeg[leg] > 0;
    }
  }
  c.designVa += kLargestMotorShare * sum.largestMotor_;
  for (std::size_t leg = 0; leg < 3; ++leg)
    designLegs[leg] += kLargestMotorShare * (sum.largestMotorAt_.onLeg[leg] + sum.largestMotorAt_.even / 3);
  if (onNamedLegs) {
    c.calculatedLegs = calculatedLegs;
    c.designLegs = designLegs;
  }
  return c;
}

double LineCurrent(double va, const std::optional<std::array<double, 3>>& legs, double volts, bool threePhase) {
  const double root3 = std::sqrt(3.0);
  if (!threePhase) return va / volts;
  if (legs) return *std::max_element(legs->begin(), legs->end()) * root3 / volts;
  return va / (root3 * volts);
}

double VoltAmperes(double current, double volts, bool threePhase) {
  return current * volts * (threePhase ? std::sqrt(3.0) : 1.0);
}

}  // namespace quillet
