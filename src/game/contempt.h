// The draw contempt chosen from the name of the game's opponent.
#pragma once

// Sets the contempt (gContempt) by the first known engine name found in the
// opponent's name; leaves it as it is when none is found.
void setOpponentContempt();
