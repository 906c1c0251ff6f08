// quorvel: the game.

#include "shell/CQuorvelApp.h"

wxIMPLEMENT_APP(CQuorvelApp);
