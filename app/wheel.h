#pragma once

namespace kobalin {

// A spin box or combo box changes by the mouse wheel only while it has the
// keyboard focus, and a turn never gives it the focus: a turn over one
// without the focus goes on to what encloses it, so a scroll area scrolls as
// anywhere else in it. Otherwise a turn meant to scroll the window changed a
// value nobody was looking at. Called once for the application; later calls
// change nothing.
void wheelChangesOnlyTheFocusedField();

}  // namespace kobalin
