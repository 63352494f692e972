#pragma once
// The hint (key H), in three presses of one key, as a teacher gives it: the
// technique and where to look; then the whole step, the selection moved to
// the first cell it changes; then the step itself, as one undo step. A
// change of the board by other means starts again at the first press.

// One press of the hint's key. True when it moved the selection or changed
// the board (the second and third press).
bool GiveHint();
