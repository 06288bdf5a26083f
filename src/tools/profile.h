// The profile run: twenty sample positions, ten seconds each.
#pragma once

void runProfile();
