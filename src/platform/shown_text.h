// What a control's caption reads as on screen and to assistive tools. Views
// take both from here, so every view shows the same words.
#pragma once

#include <string>

namespace quillet {

class Control;

// In a label "&&" is the escape for one displayed "&"; other controls show
// their caption exactly.
std::string ShownCaption(const Control& control);

// The caption as a toolkit takes it with its access key: "&" before the
// key's first letter, every other "&" doubled ("Save as &PDF…").
std::string MnemonicCaption(const Control& control);

// The name screen readers and UI-automation tools know a control by: a
// button, option, check box, frame or static label by its own caption; a
// field, list or spin button by the caption of the control that names it
// (its frame unless the window says otherwise), with the window's
// qualifier when neighbours share that frame. Blanks are tidied and a
// trailing "=", "/" or ":" dropped, so "AC resistance =" reads "AC resistance".
std::string AccessibleName(const Control& control);

}  // namespace quillet
