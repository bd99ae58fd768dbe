#pragma once

namespace zurcfg {

// Lets screen readers name a drop-down list by its accessible name, as they name every other
// control. Qt names a list by its current item on Linux, where it expects a label pointing at
// the list instead; a list whose name says what it holds ("Static timers bank") needs no label,
// and one without a name keeps Qt's own behaviour. Call once before the first list is named.
void NameDropDownListsByAccessibleName();

}  // namespace zurcfg
