#include "game/frmsaut.h"
#include "game/rules.h"
#include "app/program.h"
