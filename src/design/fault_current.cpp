#include "design/fault_current.h"

#include <cmath>

namespace quillet {

namespace {

struct Fault {
  double amperes;
  Impedance z;
};

Fault LargestFault(const FaultPoint& point) {
  if (point.threePhase) return {point.volts / (std::sqrt(3.0) * std::abs(point.z)), point.z};
  const Fault lineToLine{point.volts / std::abs(point.z), point.z};
  if (!point.centreTap || !point.neutral) return lineToLine;
  const Fault lineToNeutral{point.volts / 2 / std::abs(*point.neutral), *point.neutral};
  return lineToNeutral.amperes > lineToLine.amperes ? lineToNeutral : lineToLine;
}

}  // namespace

Impedance WithXr(double magnitude, std::optional<double> xr) {
  if (!xr) return {0, magnitude};
  const double r = magnitude / std::sqrt(1 + *xr * *xr);
  return {r, r * *xr};
}

FaultPoint SourcePoint(double volts, bool threePhase, double amperes, std::optional<double> xr) {
  const double magnitude = threePhase ? volts / (std::sqrt(3.0) * amperes) : volts / amperes;
  return {volts, threePhase, WithXr(magnitude, xr), std::nullopt};
}

Impedance TransformerImpedance(const Transformer& transformer, double secondaryVolts) {
  const double perUnit = kNameplateImpedanceFactor * transformer.zPercent / 100;
  const double baseOhms = secondaryVolts * secondaryVolts / (transformer.kva * 1000);
  return WithXr(perUnit * baseOhms, transformer.xr);
}

Impedance Referred(Impedance z, double fromVolts, double toVolts) {
  const double ratio = toVolts / fromVolts;
  return z * (ratio * ratio);
}

std::optional<FaultPoint> SecondaryTerminals(const std::optional<FaultPoint>& primary, const Transformer& transformer,
                                             double secondaryVolts, bool threePhase) {
  Impedance z = TransformerImpedance(transformer, secondaryVolts);
  if (primary) {
    if (threePhase && !primary->threePhase) return std::nullopt;
    // A single-phase primary winding across two lines of a three-phase supply sees both.
    const Impedance seen = !threePhase && primary->threePhase ? 2.0 * primary->z : primary->z;
    z += Referred(seen, primary->volts, secondaryVolts);
  }
  if (threePhase) return FaultPoint{secondaryVolts, true, z, std::nullopt};
  // Half the voltage at 1.5 × the current: a third of the loop.
  const double neutralShare = 1 / (2 * kSinglePhaseNeutralFactor);
  return FaultPoint{secondaryVolts, false, z, z * neutralShare, true};
}

Impedance ConductorImpedance(double rPerKm, double xPerKm, double lengthKm, int runs) {
  return {rPerKm * lengthKm / runs, xPerKm * lengthKm / runs};
}

Connection ConnectionTo(const FaultPoint& supply, double volts, bool threePhase) {
  if (threePhase) return Connection::ThreePhase;
  return volts < supply.volts ? Connection::LineToNeutral : Connection::LineToLine;
}

std::optional<FaultPoint> AlongConductors(const FaultPoint& supply, Connection connection, double volts,
                                          Impedance conductor) {
  const Impedance outAndBack = 2.0 * conductor;
  switch (connection) {
    case Connection::ThreePhase:
      if (!supply.threePhase) return std::nullopt;
      return FaultPoint{volts, true, supply.z + conductor, std::nullopt};
    case Connection::LineToLine:
      // Two phases of a three-phase point in series. A line and the
      // neutral carried beside them see one phase's impedance: the
      // handbook takes the line-to-neutral fault at a three-phase point as
      // its three-phase one.
      if (supply.threePhase) return FaultPoint{volts, false, 2.0 * (supply.z + conductor), supply.z + outAndBack};
      return FaultPoint{volts, false, supply.z + outAndBack,
                        supply.neutral ? std::optional(*supply.neutral + outAndBack) : std::nullopt, supply.centreTap};
    case Connection::LineToNeutral:
      if (supply.threePhase) return FaultPoint{volts, false, supply.z + outAndBack, std::nullopt};
      if (!supply.neutral) return std::nullopt;
      return FaultPoint{volts, false, *supply.neutral + outAndBack, std::nullopt};
  }
  return std::nullopt;
}


double FaultAmperes(const FaultPoint& point) { return LargestFault(point).amperes; }

std::optional<double> XOverR(const FaultPoint& point) {
  const Impedance z = LargestFault(point).z;
  if (z.real() == 0) return std::nullopt;
  return z.imag() / z.real();
}

double MotorContribution(double fullLoadAmperes) { return kMotorContributionFactor * fullLoadAmperes; }

}  // namespace quillet
