// The feeder tools' design rules (NEC 2023): the design current, the
// overcurrent device, the terminal rating, the design ampacity and whether
// the device protects the conductor, and the equipment grounding conductor.
// They work on what the window computed for the feeder (its current, its
// Table 310.16 and ambient factor) and compute nothing the window shows.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>


namespace quillet {

struct ElcalState;

// What a feeder's design is asked for, besides its load current.
struct DesignRequest {
  bool motor = false;       // a motor circuit: 430.22 and 430.52 instead of 215.2 and 240.4
  bool continuous = false;  // 215.2(A)(1)
  std::optional<int> ocpd = {};       // amperes, a standard rating; none: chosen
  std::optional<int> terminalC = {};  // 60 or 75; none: from the device
  // A panel's, worked out from the loads it serves; none: from the load current.
  std::optional<double> designCurrent = {};
};

// What a feeder's design asks of every size: none of it depends on the size.
struct DesignBasis {
  double designCurrent = 0;     // the load current, × 1.25 when continuous or a motor
  bool motor = false;
  std::optional<int> device;    // amperes; none when no standard rating is large enough
  double deviceNeeds = 0;       // the amperes the chosen device is at or above
  bool deviceGiven = false;
  int terminalC = 75;
};

// Whether the device protects the conductor (240.4).
enum class Protection { Full, NextSizeUp, None, MotorCircuit };

// The design's verdict on the size used, as `ocpd_check` writes it.
enum class DeviceCheck { Ok, NextSizeUp, ConductorTooSmall, BelowTheLoad };

struct FeederDesign {
  DesignBasis basis;
  float designAmpacity = 0;  // of the size used
  Protection protection = Protection::None;
  bool enough = false;                // the ampacity the design needs
  std::optional<DeviceCheck> check;   // none without a device
  std::optional<int> egcArea;         // none without a device
  bool egcUpsized = false;
};

// The standard ratings of 240.6(A), ascending.
std::span<const int> StandardRatings();
bool IsStandardRating(int amperes);
// The smallest standard rating at or above the amperes; none above 6000 A.
std::optional<int> StandardRatingAtLeast(double amperes);

// The design current (215.2(A)(1), 430.22), the device as given or chosen
// (240.6(A), 430.52(C)(1) Exception 1) and the terminal rating (110.14(C)(1))
// for the window's load current.
DesignBasis DesignBasisFor(const DesignRequest& request, double loadCurrent);

// runs × min(the insulation's column × the ambient factor, the terminal's
// column) for the size the window shows: its own feeder ampacity where the
// terminals do not hold it lower.
float DesignAmpacity(const ElcalState& shown, int terminalC);

// 240.4(D): the largest device a small conductor may have; none from 8 AWG up.
std::optional<int> SmallConductorLimit(int area, bool aluminium);

Protection ProtectionOf(const DesignBasis& basis, float designAmpacity, int area, bool aluminium);
// The design ampacity carries the design current and the device protects
// the conductor: what the finder's size for ampacity must have.
bool EnoughAmpacity(const DesignBasis& basis, float designAmpacity, int area, bool aluminium);

// The least design ampacity that is enough from 8 AWG up, as a note says it:
// "1600 A", or "more than 600 A" when the next size up rule decides.
std::string NeededAmpacityText(const DesignBasis& basis, const std::function<std::string(double)>& amperes);

// The design of the size used: the device's verdict and the grounding
// conductor, upsized with the feeder beyond its size for ampacity.
FeederDesign DesignOf(const DesignBasis& basis, float designAmpacity, int areaUsed,
                      std::optional<int> areaForAmpacity, bool aluminium);

struct GroundingConductor {
  int area = 0;
  bool upsized = false;  // 250.122(B) made it larger than the table's
};
// Table 250.122 for the device in the feeder's material, grown by the ratio
// of circular mils when the feeder is larger than its size for ampacity
// (250.122(B)), never larger than the feeder (250.122(A)). With parallel
// runs it is the one in each raceway (250.122(F)).
GroundingConductor GroundingConductorFor(int device, bool aluminium, int areaUsed, std::optional<int> areaForAmpacity);

}  // namespace quillet
