// Start of the shell (module Lumevar_B): Main with its single-instance guard
// and mode dispatch to the forms.
#pragma once

// The entry routine: guard, then "P" / "C" / "S" / empty / other dispatch.
void Main();
