#include "shell/messages.h"
