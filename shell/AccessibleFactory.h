#pragma once

// Tells screen readers what the grid's own controls are: each cell a check
// box with its row, column and state, each value box its side and value; and
// takes their edits to the output pane through the pane's own checks.
// Installed before any window exists.
namespace AccessibleFactory {

void install();

} // namespace AccessibleFactory
