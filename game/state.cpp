// The state of the game in play and the settings staged for the next one.
#include "game/state.h"

namespace zarvo {

int status = kNoGame;

char first_player = 2;
char selected_level = 2;

char new_first_player = 2;
char new_selected_level = 2;
char new_variant = 0;

MoveString newmove;
MoveString lastmove;

}  // namespace zarvo
