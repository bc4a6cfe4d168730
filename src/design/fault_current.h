// Available fault current by the impedance method (IEEE Std 141 and 242):
// complex impedances from the source down, in ohms at each point's own
// voltage, summed along the path and referred across a transformer by the
// square of its voltage ratio. NEC 2023 110.9 and 110.10 ask every device
// and piece of equipment to be rated for the current available where it
// stands, 110.24(A) the service equipment to be marked with it and the date
// of the calculation. The handbook's conventions: a transformer at 0.9 of
// its nameplate %Z, conductors cold, motors adding 4 × their full-load
// current. Plain arithmetic: the conductors' resistance and reactance per
// km come from the calculator.
#pragma once

#include <complex>
#include <optional>

namespace quillet {

// R + jX, ohms.
using Impedance = std::complex<double>;

// The nameplate %Z is held to ±10 %: its low end gives the largest current.
inline constexpr double kNameplateImpedanceFactor = 0.9;
// A fault's current flows in a cold conductor: its resistance at 25 °C.
inline constexpr double kConductorFaultTempC = 25;
// A running motor feeds a fault about 4 × its full-load current.
inline constexpr double kMotorContributionFactor = 4;
// At a single-phase transformer's terminals the line-to-neutral fault is
// 1.5 × the line-to-line (the centre tap's half winding).
inline constexpr double kSinglePhaseNeutralFactor = 1.5;

// What a fault sees at a point: the point's voltage and the impedance of
// everything between it and the source.
struct FaultPoint {
  double volts = 0;  // line to line on three phases
  bool threePhase = true;
  // Per phase on three phases; on one phase the loop out along one line
  // and back along the other.
  Impedance z;
  // On a single-phase point with a neutral: the loop out along a line and
  // back along the neutral, at the line-to-neutral voltage.
  std::optional<Impedance> neutral;
  // The neutral is a single-phase transformer's centre tap, at half the
  // voltage, whose fault may be the larger.
  bool centreTap = false;

  bool operator==(const FaultPoint&) const = default;
};

struct Transformer {
  double kva = 0;
  double zPercent = 0;        // nameplate
  std::optional<double> xr;   // none: all reactance
};

// How a row draws on the point that feeds it.
enum class Connection { ThreePhase, LineToLine, LineToNeutral };

// An impedance of that magnitude split by its X/R; none: all reactance.
Impedance WithXr(double magnitude, std::optional<double> xr);

// A source from the symmetrical fault current available at its point:
// V / (√3 × I) a phase on three phases, V / I for the loop on one.
FaultPoint SourcePoint(double volts, bool threePhase, double amperes, std::optional<double> xr);

// A transformer's own impedance at its secondary's voltage, from 0.9 × its
// %Z on its own kVA: a phase's on three phases, the winding's on one.
Impedance TransformerImpedance(const Transformer& transformer, double secondaryVolts);

// An impedance at one voltage as it is seen at another.
Impedance Referred(Impedance z, double fromVolts, double toVolts);

// The transformer's secondary terminals: its own impedance and the
// primary's referred across (none: an unlimited primary). A single-phase
// transformer on a three-phase primary sits across two of its lines, and
// its terminals have a neutral at 1.5 × the line-to-line current. None: a
// three-phase transformer on a single-phase primary.
std::optional<FaultPoint> SecondaryTerminals(const std::optional<FaultPoint>& primary, const Transformer& transformer,
                                             double secondaryVolts, bool threePhase);

// One conductor of the run: its AC resistance and reactance per km × the
// length in km ÷ the parallel runs.
Impedance ConductorImpedance(double rPerKm, double xPerKm, double lengthKm, int runs);

// How a row at `volts` draws on the point: on all three phases, across two
// lines (a single-phase row at the point's voltage), or from a line to the
// neutral (a single-phase row at a lower one).
Connection ConnectionTo(const FaultPoint& supply, double volts, bool threePhase);

// The point at the far end of a row's conductors: the conductor on each
// phase of a three-phase row; out and back on a single-phase one, along two
// lines (with the neutral beside them) or a line and the neutral. None when
// the point cannot feed the row so: three phases from one, or a neutral a
// single-phase point does not have.
std::optional<FaultPoint> AlongConductors(const FaultPoint& supply, Connection connection, double volts,
                                          Impedance conductor);

// The symmetrical fault current at the point, amperes: the three-phase
// bolted fault, V / (√3 × |Z|), or on one phase V / |Z|; at a centre-tapped
// point the larger of that and the line-to-neutral fault, V / 2 over the
// neutral loop, which its equipment must withstand as well.
double FaultAmperes(const FaultPoint& point);

// The X/R of the impedance that fault current sees; none when it has no
// resistance (an all-reactance source at its own terminals).
std::optional<double> XOverR(const FaultPoint& point);

// What running motors of that full-load current feed a fault.
double MotorContribution(double fullLoadAmperes);

}  // namespace quillet
