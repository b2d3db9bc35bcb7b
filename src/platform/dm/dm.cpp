#include "platform/dm/dm.h"
