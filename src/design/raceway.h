// What goes in each raceway of a feeder (NEC 2023): the conductors of one
// parallel set, how many of them carry current (310.15(E), (F)) and the
// adjustment that count brings (Table 310.15(C)(1)), the neutral a feeder
// has unless it says otherwise and where 220.61(C) keeps it full size, and
// the smallest trade size of Chapter 9 Table 4 whose Table 1 fill holds the
// set's Table 5 areas. One raceway holds one set: parallel sets never share.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "design/loads.h"

namespace quillet {

// The insulation's Table 5 dimensions: THHN/THWN-2, XHHW-2, and
// RHH/RHW/RHW-2 with outer covering. All three are 90 °C types.
enum class WireType { Thhn, Xhhw, Rhw };
enum class Raceway { Emt, Imc, Rmc, Pvc40, Pvc80 };

// The words a schedule writes them with, in the order of the enums.
std::span<const std::string_view> WireTypeNames();
std::span<const std::string_view> RacewayNames();

// A steel raceway, whose reactance the calculator takes for steel conduit.
bool Metallic(Raceway raceway);
// EMT in steel conduit, Schedule 40 in PVC.
Raceway DefaultRaceway(bool pvc);

// The systems with a neutral: a line-to-line voltage and the line-to-neutral
// voltage beside it; a single-phase one (120/240 V) is not a wye.
struct NeutralSystem {
  double lineToLine, lineToNeutral;
  bool singlePhase;
};
std::span<const NeutralSystem> NeutralSystems();

// The supply of a feeder as far as its neutral goes.
struct Supply {
  bool threePhase = true;
  bool dc = false;
  double volts = 0;

  bool operator==(const Supply&) const = default;
};

// The feeder's voltage is one of a system with a neutral.
bool HasNeutral(const Supply& supply);
// A single-phase feeder at a line-to-neutral voltage (120, 277, 347 V):
// its second conductor is the neutral, which carries the whole load.
bool LineToNeutral(const Supply& supply);

enum class NeutralKind { None, Full, Reduced };
struct Neutral {
  NeutralKind kind = NeutralKind::None;
  int area = 0;  // a reduced neutral's AreaIndex

  bool operator==(const Neutral&) const = default;
};

// Full size for a feeder that serves others and for lighting, receptacles
// and other loads on a system with a neutral; none for motors, heating and
// kitchen equipment, and where the system has no neutral.
Neutral DefaultNeutral(const Supply& supply, LoadClass loadClass, bool feedsOthers);

// What a feeder's raceways hold, besides the sizes.
struct Wiring {
  Supply supply;
  WireType wire = WireType::Thhn;
  Raceway raceway = Raceway::Emt;
  Neutral neutral;
  bool nonlinear = false;  // the major part of the load
  int sets = 1;            // parallel sets, a raceway each

  bool operator==(const Wiring&) const = default;
};

// What is wrong with the neutral asked for, or none: a DC feeder has none,
// a two-wire feeder's carries the whole load, 220.61(C) keeps the neutral
// of two phases of a wye and of nonlinear loads full size, and parallel
// sets need 1/0 AWG (310.10(G)(1)). Whether a reduced neutral is above the
// phase size is for the size used to say.
std::optional<std::string> NeutralRefusal(const Wiring& wiring);

// The current-carrying conductors in each raceway: the phase conductors,
// and the neutral where it counts (310.15(E)); never the grounding
// conductor (310.15(F)).
int CurrentCarrying(const Wiring& wiring);
// Table 310.15(C)(1) in percent: 100 up to three current-carrying
// conductors, then 80, 70, 50, 45, 40 and 35.
int AdjustmentPercent(int currentCarrying);

// One set, as a raceway holds it.
struct ConductorSet {
  int lines = 3;     // phase conductors and a full-size neutral, all of `area`
  int area = 0;      // AreaIndex
  std::optional<int> neutralArea;  // a reduced neutral
  std::optional<int> groundArea;   // none without a device
  bool aluminium = false;

  bool operator==(const ConductorSet&) const = default;
};

struct RacewayFit {
  ConductorSet set;
  int sets = 1;
  WireType wire = WireType::Thhn;
  Raceway raceway = Raceway::Emt;
  int conductors = 0;     // in each raceway, the grounding conductor among them (Chapter 9 Note 3)
  std::int64_t area = 0;  // their Table 5 areas, in units of 0.0001 in²
  int fillLimitPercent = 40;       // Chapter 9 Table 1 for that many conductors
  std::optional<int> tradeSize;    // among TradeSizes(raceway): the smallest that holds them
  float fillPercent = 0;           // of that trade size

  bool operator==(const RacewayFit&) const = default;
};

// The set of the size used with its neutral and grounding conductor, and
// the raceway that holds it. A reduced neutral is at most the phase size.
RacewayFit FitRaceway(const Wiring& wiring, int area, std::optional<int> groundArea, bool aluminium);

// As drawings write the feeder: `4 #500 kcmil + 1 #1/0 G, 3-1/2" EMT`,
// `2 sets of (4 #500 kcmil + 1 #1/0 G), 3-1/2" EMT each`, a reduced neutral
// apart (`3 #4/0 + 1 #2/0 N + 1 #4 G`), AL after aluminium sizes; without
// the raceway when none holds the set.
std::string ConductorSetText(const RacewayFit& fit);
// Why no raceway of the kind holds the set: "no raceway holds a set: its 5
// conductors take 6.2286 in², 40 % of the largest EMT (trade size 4) is 5.9012 in²".
std::string NoRacewayWords(const RacewayFit& fit);

// The tables, as carried from the code book.

// Chapter 9 Table 4: the trade sizes of each raceway ("1/2" … "4" or "6")
// and their total (100 %) areas in in².
std::span<const std::string_view> TradeSizes(Raceway raceway);
double RacewayAreaIn2(Raceway raceway, int tradeSize);
// Chapter 9 Table 5: the approximate area of an insulated conductor in in²,
// by AreaIndex.
double ConductorAreaIn2(WireType wire, int area);
// Chapter 9 Table 8: the circular mils of a stranded conductor, by AreaIndex.
std::int64_t AreaCmil(int area);
// Chapter 9 Table 1: the fill allowed for a number of conductors.
int FillLimitPercent(int conductors);

}  // namespace quillet
