#include "driver/init.h"

#include "parse/kivo.h"

STATUS INIT() { return KIVO_New(); }
