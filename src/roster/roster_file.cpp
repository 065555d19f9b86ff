#include "roster/roster_file.h"
