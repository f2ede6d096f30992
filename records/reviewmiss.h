// A question of a game the player missed, as the game records it and the review lists it.
#pragma once

#include <string>

struct ReviewMiss {
    std::string Entry;   // the catalogue entry asked (CP932 file name)
    std::string Chosen;  // the name the player chose (CP932); empty when the time ran out
};
