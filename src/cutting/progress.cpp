#include "cutting/progress.h"
