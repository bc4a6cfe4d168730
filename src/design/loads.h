// The loads a feeder serves and what the code book makes of them (NEC 2023,
// Article 220): connected loads summed over the rows below a panel, the
// demand factors applied once to that sum (Table 220.45 general lighting,
// 220.47 receptacles, Table 220.56 kitchen equipment), and the design load
// of 215.2(A)(1) and 430.24. Plain arithmetic on volt-amperes: the currents
// it starts from and the current it gives are the calculator's.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace quillet {

enum class LoadClass { Lighting, Receptacle, Kitchen, Heating, Motor, Other };
inline constexpr int kLoadClassCount = 6;

// The general-lighting demand tiers of Table 220.45 by occupancy.
enum class Occupancy { Dwelling, Hospital, Hotel, Warehouse, Other };

// Where a single-phase load sits on a three-phase supply: a line-to-neutral
// load on its leg, a line-to-line load across two.
enum class Legs { A, B, C, AB, BC, CA };

// The words a schedule writes them with, in the order of the enums.
std::span<const std::string_view> LoadClassNames();
std::span<const std::string_view> OccupancyNames();
std::span<const std::string_view> LegsNames();

bool LineToLine(Legs legs);

// 220.14(I): a receptacle outlet counted by its yoke.
inline constexpr double kReceptacleVaPerYoke = 180;

// Lighting and heating are continuous unless said otherwise.
bool ContinuousByDefault(LoadClass loadClass);

// One row's load: `quantity` identical units of `unitVa` each.
struct UnitLoad {
  LoadClass loadClass = LoadClass::Other;
  double unitVa = 0;
  int quantity = 1;
  bool continuous = false;
};

struct CalculatedLoad;

// The connected loads below a row, kept so that a supply can add its
// feeders' sums and still apply every demand factor once, to the whole. Each
// class's volt-amperes are kept by leg of the three-phase supply above: on a
// named leg, or spread evenly (three-phase loads, and single-phase loads no
// row has placed yet).
class LoadSum {
 public:
  void Add(const UnitLoad& load);
  void Add(const LoadSum& other);
  // Everything below a single-phase feeder of a three-phase supply draws on
  // that feeder's legs, or evenly when it names none.
  void PlaceOn(std::optional<Legs> legs);
  // A three-phase transformer spreads whatever its secondary serves over
  // the three legs of its primary.
  void Spread();

  bool Empty() const { return units_ == 0; }
  double ConnectedVa() const;

 private:
  friend CalculatedLoad Calculate(const LoadSum& sum, Occupancy occupancy);
  struct Share {
    std::array<double, 3> onLeg{};  // a leg at a time, A B C
    double even = 0;                // a third on each
    double Total() const { return onLeg[0] + onLeg[1] + onLeg[2] + even; }
  };
  // By class, non-continuous and continuous.
  std::array<std::array<Share, 2>, kLoadClassCount> va_{};
  long units_ = 0;
  long kitchenUnits_ = 0;
  std::array<double, 2> largestKitchen_{};  // unit volt-amperes, the larger first
  double largestMotor_ = 0;                 // unit volt-amperes
  Share largestMotorAt_;                    // where it draws: its volt-amperes by leg
};

// What the rules make of a sum.
struct CalculatedLoad {
  double connectedVa = 0;
  double calculatedVa = 0;  // after the demand factors, at 100 %
  // The calculated non-continuous load, 125 % of the continuous and 25 % of
  // the largest motor (215.2(A)(1), 430.24).
  double designVa = 0;
  // By leg, when some load sits on a named leg: the heaviest leg decides.
  std::optional<std::array<double, 3>> calculatedLegs, designLegs;

  bool operator==(const CalculatedLoad&) const = default;
};

CalculatedLoad Calculate(const LoadSum& sum, Occupancy occupancy);

// The demand factors on their own.
double GeneralLightingDemand(double va, Occupancy occupancy);                // Table 220.45
double ReceptacleDemand(double va);                                          // 220.47
double KitchenDemand(double va, long units, double twoLargestVa);            // Table 220.56

// The line current of volt-amperes: VA / (√3 × V) on three phases, VA / V
// on one; with loads on named legs, the heaviest leg's over the
// line-to-neutral voltage.
double LineCurrent(double va, const std::optional<std::array<double, 3>>& legs, double volts, bool threePhase);

// A load's volt-amperes from its line current: I × V (× √3 on three phases).
double VoltAmperes(double current, double volts, bool threePhase);

}  // namespace quillet
