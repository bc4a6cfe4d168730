#include "forms/naming.h"

#include "platform/window.h"

namespace quillet {

void NameControls(Window& window, std::span<const Naming> namings) {
  for (const Naming& n : namings) {
    const Control* namer = n.namedBy ? &window.Named(n.namedBy) : nullptr;
    window.Named(n.name).SetNaming(namer, n.qualifier);
  }
}

namespace {

// Result labels carry their values as captions, so their names come from
// the frame they sit in; the unit labels next to the fields keep their own.
constexpr Naming kElcalNames[] = {
    {"VDC", "FrameVDDC", "volts"},
    {"VDCPER", "FrameVDDC", "percent"},
    {"VDACL", "FrameVDAC", "volts"},
    {"VDACPRCL", "FrameVDAC", "percent"},
    {"VDPS", "FrameVDAC", "size steps"},
    {"EAWOTD", "FrameWOT", "estimated"},
    {"WOTD", "FrameWOT", "set to"},
    {"WOTPS", "FrameWOT", "steps"},
    {"TextACR", "Label8", ""},
    {"TextXLR", "Label9", ""},
    {"VDACact", "FrameAlternate", "voltage drop"},
    {"VDACactPer", "FrameAlternate", "percent"},
    {"AmpacAmb", "Frame3D14", "ambient"},
    {"AmpacCorr", "Frame3D14", "correction factor"},
    {"Ampacit", "Frame3D14", ""},
    {"AmpS", "Frame3D14", "steps"},
    {"LabelCP", nullptr, "Conductor parameters temperature"},
    {"DCres", nullptr, "DC resistance"},
    {"ACres", nullptr, "AC resistance"},
    {"XLreact", nullptr, "XL reactance"},
    {"ImedanceZ", nullptr, "Z impedance"},
    {"WireArea", "Frame3D6", "cross-section"},
    {"Job", nullptr, "Job name or feeder tag"},
    {"Stat", nullptr, "Help line"},
};

}  // namespace

void NameElcal(Window& window) { NameControls(window, kElcalNames); }

}  // namespace quillet
