#include "store/database.h"
