// One feeder of a schedule: what a row asks for and what the window showed
// for it. The inputs are kept as the texts a user would type, so the engine
// enters exactly what the row says.
#pragma once

#include <optional>
#include <string>

#include "core/state_choices.h"
#include "design/feeder_design.h"
#include "design/loads.h"

namespace quillet {

// The input columns of a schedule, in the order of their descriptors
// (input_columns.cpp), which is also the order of a new schedule's header.
enum class Column {
  Tag,
  System,
  Voltage,
  Current,
  Power,
  MotorHp,
  Pf,
  Material,
  Conduit,
  Insulation,
  Ambient,
  Length,
  Unit,
  Runs,
  Size,
  WireTemp,
  UserR,
  UserX,
  MaxVdPct,
  Continuous,
  Ocpd,
  Terminal,
  FedFrom,
  MaxTotalVdPct,
  ViaTransformer,
  LoadClass,
  Qty,
  Occupancy,
  Legs,
};

// None: the row gives no load; a rule gives it (a receptacle's yokes, or
// the loads of the rows it feeds).
enum class LoadKind { Current, Power, Motor, None };

struct FeederInputs {
  std::string tag;  // copied, never entered
  bool singlePhase = false;
  bool dc = false;  // single phase at PF 1; its DC drop is the one reported
  std::string voltage = "208";  // digits and at most one "."
  LoadKind load = LoadKind::Current;
  std::string loadText = "10";  // amperes, watts, or the horsepower of a list item ("1/2", "7.5")
  std::optional<int> pfOption;  // 0 to 5: 0.75, 0.8, 0.85, 0.9, 0.95, 1.0; none: 1.0 (motor: 0.8)
  bool aluminium = false;
  bool pvc = false;
  int insulationC = 75;
  int ambientC = 30;
  bool feet = false;
  std::string length = "10";
  int runs = 1;
  std::optional<int> areaIndex;  // 0 (14 AWG) to 20 (1000 kcmil); none: find the size
  std::optional<int> wireTempC;
  std::string userR;  // empty when not given
  std::string userX;
  double maxVdPercent = 3;
  bool continuous = false;
  std::optional<int> ocpd;       // amperes, a standard rating; none: chosen
  std::optional<int> terminalC;  // 60 or 75; none: from the device
  // The feeder's place in a distribution tree: copied, never entered.
  std::string fedFrom;              // the supplying row's tag; empty at the top of a path
  double maxTotalVdPercent = 5;     // the drop from the top of the path to the load end
  std::optional<bool> viaTransformer;  // none: decided from the voltages
  // What the load is, for the loads of the rows above: copied, never entered.
  LoadClass loadClass = LoadClass::Other;
  int quantity = 1;  // identical loads the row stands for, each of the given load
  Occupancy occupancy = Occupancy::Other;
  std::optional<Legs> legs;  // none: evenly over the legs of a three-phase supply
  // A panel's, worked out from the loads it serves; none: from its load current.
  std::optional<double> designCurrent;

  bool operator==(const FeederInputs&) const = default;
};

// What a row that leaves its limit or duty blank gets.
struct ScheduleDefaults {
  double maxVdPercent = 3;
  bool continuous = false;
  double maxTotalVdPercent = 5;
};

enum class SizedBy { Given, Ampacity, VoltageDrop, None };

// The drop a row reports, holds to its limit and is sized by (ReportedDrop).
struct FeederDrop {
  float volts = 0, percent = 0;
};

// The numbers of the window's state after the last pass for the size used.
struct FeederNumbers {
  double current = 0;
  FeederDrop drop;
  float vdAc = 0, vdAcPercent = 0;
  std::optional<float> vdExactPercent;
  std::optional<float> vdDc, vdDcPercent;  // only where the window shows the DC drop
  float rdc = 0, rac = 0, xl = 0, z = 0;
  double xlPerKm = 0;  // the reactance caption's decimals follow it
  bool perKm = true;
  float areaMm2 = 0, ampacity = 0, ambientFactor = 0, loadRatio = 0;
  int ambientC = 30;  // the window writes amperes with a decimal away from 30 °C
  AmpacityCheck check = AmpacityCheck::Ok;
  float wireTempC = 0;
  std::optional<float> operatingTempC;  // none when the window says the wire melted
  std::optional<float> vdAlt, vdAltPercent;
};

struct FeederError {
  Column column = Column::Tag;
  std::string reason;

  bool operator==(const FeederError&) const = default;
};

// Why no size fits: what the largest size falls short in, and how many
// parallel runs of it would do (0: not even the most).
struct NoFit {
  DesignBasis basis;
  std::optional<float> carries;  // its design ampacity, when that is short
  float dropPercent = 0;         // else its drop
  int runsThatWould = 0;
};

struct FeederResult {
  SizedBy sizedBy = SizedBy::Given;
  std::optional<int> areaUsed, areaForAmpacity, areaForVd;
  std::optional<FeederNumbers> numbers;  // none when sizedBy is None
  std::optional<FeederDesign> design;    // with the numbers
  std::optional<NoFit> noFit;
  std::string note;                      // why no size fits or no device does; the row's error
  std::optional<FeederError> error;
};

}  // namespace quillet
