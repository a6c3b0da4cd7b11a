#include "game/frmsaut.h"
#include "game/rules.h"
#include "map/screenmap.h"
#include "app/program.h"
