// quorvel: the game. Optionally the path of a saved match to open at start.

#include "shell/CQuorvelApp.h"

wxIMPLEMENT_APP(CQuorvelApp);
