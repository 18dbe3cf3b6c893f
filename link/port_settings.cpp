#include "serial.h"

char comPortName[kComPortNameSize];
int baudRate = 115200;
