#include "link/port_settings.h"

char comPortName[kComPortNameSize];
int baudRate = 115200;
